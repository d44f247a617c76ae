// Calendar files of any bytes, read and planned for import: the reader never keeps more than
// its bounds allow (nesting, properties, line length, components), and the plan holds only
// reminders the store can take: days of the calendar, one line each of at most 255
// characters after the type group, intervals the queries know.
#include "DateUtils.h"
#include "FuzzSupport.h"
#include "ICalendar.h"

#include <cstring>
#include <string>

namespace {
void CheckTree(const ICalComponent& component, const ICalLimits& limits, size_t depth) {
    if (depth > limits.maxDepth)
        FuzzFailure("a component nested deeper than the bound");
    if (component.properties.size() > limits.maxPropertiesPerComponent)
        FuzzFailure("more properties than the bound");
    for (const ICalProperty& property : component.properties)
        if (property.name.size() + property.value.size() > limits.maxLineOctets)
            FuzzFailure("a line over the bound");
    for (const ICalComponent& child : component.children)
        CheckTree(child, limits, depth + 1);
}

size_t Count(const ICalComponent& component) {
    size_t count = component.children.size();
    for (const ICalComponent& child : component.children)
        count += Count(child);
    return count;
}

void CheckLine(const std::string& line) {
    if (line.find_first_of("\r\n") != std::string::npos)
        FuzzFailure("a line break inside a stored reminder");
    for (char c : line)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            FuzzFailure("a control character inside a stored reminder");
    size_t typeGroup = 0;
    if (!line.empty() && line[0] == '{')
        typeGroup = line.find('}') + 1;
    if (line.size() > 255 + typeGroup)
        FuzzFailure("a stored reminder longer than 255 characters");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ICalLimits limits;
    limits.maxLineOctets = 300;
    limits.maxDepth = 4;
    limits.maxComponents = 200;
    limits.maxPropertiesPerComponent = 20;
    ICalComponent root;
    ICalReadNotes notes;
    std::string failure;
    if (ReadICalendar(bytes, limits, &root, &notes, &failure)) {
        CheckTree(root, limits, 0);
        if (Count(root) > limits.maxComponents)
            FuzzFailure("more components than the bound");
    } else if (failure.empty()) {
        FuzzFailure("a refused file without a message");
    }
    const std::vector<TEventType> types{{"Birthday", 255}, {"Work", 0x123456}};
    const ImportPlan plan = PlanCalendarImport(bytes, types, EncodeDate(2007, 3, 5), limits);
    if (plan.dated.size() + plan.regular.size() >
        MaxImportedReminders + MaxOccurrencesPerEvent + MaxEventDays)
        FuzzFailure("more reminders than the bound");
    for (const DatedReminder& reminder : plan.dated) {
        if (!IsCalendarDay(reminder.day) || reminder.day != WholeDay(reminder.day))
            FuzzFailure("a reminder on no day");
        CheckLine(reminder.line);
    }
    for (const TRegularEntry& entry : plan.regular) {
        if (entry.Interval < 1 || entry.Interval > 5)
            FuzzFailure("a regular reminder with no interval");
        if (!IsCalendarDay(entry.StartDate))
            FuzzFailure("a regular reminder on no day");
        if (entry.Description.size() > 255)
            FuzzFailure("a regular description over 255 characters");
        CheckLine(entry.Description);
    }
    ImportSummary(plan, plan.dated.size(), 0);
    return 0;
}
