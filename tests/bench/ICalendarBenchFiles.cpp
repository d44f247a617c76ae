// The benchmarks' calendar files.
#include "ICalendarBenchFiles.h"
#include "DateUtils.h"
#include "ICalendarRecurrence.h"

std::string GeneratedCalendar(int events) {
    std::string file =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Amsterdam\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19810329T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
        "BEGIN:STANDARD\r\nDTSTART:19961027T030000\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
    const double first = EncodeDate(2020, 1, 1);
    for (int i = 0; i < events; ++i) {
        const std::string day = ICalDateText(first + (i * 7919) % 3653);
        file += "BEGIN:VEVENT\r\nUID:bench-" + std::to_string(i) +
                "@example\r\nDTSTAMP:20200101T000000Z\r\n";
        switch (i % 4) {
        case 0:
            file += "DTSTART;VALUE=DATE:" + day + "\r\n";
            break;
        case 1:
            file += "DTSTART:" + day + "T093000\r\nDTEND:" + day + "T103000\r\n";
            break;
        case 2:
            file += "DTSTART;TZID=Europe/Amsterdam:" + day + "T143000\r\n";
            break;
        default:
            file += "DTSTART:" + day + "T070000Z\r\n";
            break;
        }
        if (i % 100 == 0)
            file += "RRULE:FREQ=WEEKLY\r\n";
        file += "SUMMARY:Event number " + std::to_string(i) + " with a title of some length\r\n";
        if (i % 3 == 0)
            file += "DESCRIPTION:A second line\\nand a third\r\nCATEGORIES:Work\r\n";
        file += "END:VEVENT\r\n";
    }
    return file + "END:VCALENDAR\r\n";
}

std::string SubscribedCalendarText(double today) {
    std::string file = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n";
    for (int i = 0; i < 5000; ++i) {
        file += "BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:" + ICalDateText(today - 300 + (i * 37) % 900) +
                "\r\n";
        if (i % 50 == 0)
            file += "RRULE:FREQ=WEEKLY\r\n";
        file += "SUMMARY:Subscribed event " + std::to_string(i) + "\r\nEND:VEVENT\r\n";
    }
    return file + "END:VCALENDAR\r\n";
}
