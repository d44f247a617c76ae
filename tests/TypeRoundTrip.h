// One check that the native and the Windows tests both run: reminder types saved to the
// settings file and loaded again come back exactly, in their order.
#pragma once
#include "EventTypeUnit.h"

#include <gtest/gtest.h>
#include <vector>

inline void ExpectTypesSurviveTheSettingsFile(const std::vector<TEventType>& types) {
    ReplaceEventTypes(types);
    SaveEventTypes();
    ClearEventTypes();
    LoadEventTypes();
    ASSERT_EQ(EventTypes().size(), types.size());
    for (size_t i = 0; i < types.size(); ++i) {
        EXPECT_EQ(EventTypes()[i].Name, types[i].Name) << i;
        EXPECT_EQ(EventTypes()[i].Colour, types[i].Colour) << i;
    }
}
