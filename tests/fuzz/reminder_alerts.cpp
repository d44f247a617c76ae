// The reminding decisions on any item text and locale: every time read is a time of a day,
// the alert's own text reads back as the same time, and the notification keeps to its room.
#include "Alerts.h"

#include "FuzzSupport.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const TTimeConventions conventions{static_cast<char>(data[0]), (data[1] & 1) != 0};
    const std::string items(reinterpret_cast<const char*>(data + 2), size - 2);
    const double day = 46364;
    for (const TReminderAlert& alert : ReminderAlerts(day, items, conventions)) {
        if (alert.Minute < 0 || alert.Minute >= 24 * 60)
            FuzzFailure("a time of " + std::to_string(alert.Minute) + " minutes");
        if (ReminderTimeOfDay(alert.Text, conventions) != alert.Minute)
            FuzzFailure("an alert whose text reads as another time: " + alert.Text);
        if (alert.Key.compare(0, 6, "46364-") != 0)
            FuzzFailure("a key without its day: " + alert.Key);
    }
    const size_t room = data[1] % 64 + 1;
    const std::string text = NotificationText(items, items, {255, -1}, room);
    if (text.size() > room)
        FuzzFailure("a notification of " + std::to_string(text.size()) + " bytes for " +
                    std::to_string(room));
    return 0;
}
