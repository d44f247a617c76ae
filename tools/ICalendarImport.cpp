// An iCalendar file turned into the reminders an import adds: each event on the user's
// local days, timed ones with their start time in front, repeat rules a regular reminder can
// hold kept as one, all others made into dated reminders within the stated horizon.
#include "CodePage.h"
#include "DateUtils.h"
#include "ICalendar.h"
#include "ICalendarRecurrence.h"
#include "TextCase.h"
#include "TimeZone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace {
const size_t maxText = 255;
// Every timed event looks through its zone's parts: a zone of more is not believed.
const size_t maxObservances = 64;

// One part of a zone's year: from its onsets on, its offset applies.
struct Observance {
    ICalDateTime start;
    int offsetTo = 0, offsetFrom = 0; // minutes east of UTC
    bool hasRule = false;
    RecurrenceRule rule;
    std::vector<ICalDateTime> extraOnsets;
};
struct Zone {
    std::vector<Observance> observances;
};

bool ParseOffset(const std::string& text, int* minutes) {
    if (text.size() != 5 && text.size() != 7)
        return false;
    if (text[0] != '+' && text[0] != '-')
        return false;
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    const int hours = (text[1] - '0') * 10 + (text[2] - '0'),
              mins = (text[3] - '0') * 10 + (text[4] - '0');
    if (hours > 23 || mins > 59)
        return false;
    *minutes = (text[0] == '-' ? -1 : 1) * (hours * 60 + mins);
    return true;
}

double Moment(const ICalDateTime& value) {
    return value.day + value.time;
}

// The offset of the zone at a wall-clock moment in it: that of the observance with the
// latest onset at or before it; before every onset, the offset the first one comes from.
int ZoneOffset(const Zone& zone, double wall) {
    double bestOnset = -1e300;
    int offset = 0;
    double earliest = 1e300;
    int earliestFrom = 0;
    for (const Observance& observance : zone.observances) {
        if (Moment(observance.start) < earliest) {
            earliest = Moment(observance.start);
            earliestFrom = observance.offsetFrom;
        }
        double latest = -1e300;
        const auto consider = [&](double onset) {
            if (onset <= wall && onset > latest)
                latest = onset;
        };
        consider(Moment(observance.start));
        for (const ICalDateTime& onset : observance.extraOnsets)
            consider(Moment(onset));
        if (observance.hasRule && Moment(observance.start) <= wall) {
            const ExpansionLimits limits{std::floor(wall) - 400, std::floor(wall), 64};
            ExpandRecurrence(observance.rule, observance.start.day, observance.start.time, limits,
                             [&](double day) { consider(day + observance.start.time); });
        }
        if (latest > bestOnset) {
            bestOnset = latest;
            offset = observance.offsetTo;
        }
    }
    return bestOnset > -1e300 ? offset : earliestFrom;
}

Zone ReadZone(const ICalComponent& component) {
    Zone zone;
    for (const ICalComponent& part : component.children) {
        if (part.name != "STANDARD" && part.name != "DAYLIGHT")
            continue;
        Observance observance;
        const ICalProperty* start = part.Find("DTSTART");
        const ICalProperty* to = part.Find("TZOFFSETTO");
        const ICalProperty* from = part.Find("TZOFFSETFROM");
        if (!start || !to || !ParseICalDateTime(start->value, &observance.start) ||
            !ParseOffset(to->value, &observance.offsetTo))
            continue;
        if (!from || !ParseOffset(from->value, &observance.offsetFrom))
            observance.offsetFrom = observance.offsetTo;
        if (const ICalProperty* rule = part.Find("RRULE")) {
            std::string reason;
            observance.hasRule = ParseRecurrenceRule(rule->value, &observance.rule, &reason);
            observance.rule.hasUntil =
                false; // a zone's last rule holds on; its end is in UTC anyway
        }
        for (const ICalProperty& property : part.properties) {
            if (property.name != "RDATE")
                continue;
            size_t first = 0;
            for (;;) {
                const size_t comma = property.value.find(',', first);
                ICalDateTime onset;
                if (ParseICalDateTime(property.value.substr(first, comma - first), &onset) &&
                    observance.extraOnsets.size() < 1000)
                    observance.extraOnsets.push_back(onset);
                if (comma == std::string::npos)
                    break;
                first = comma + 1;
            }
        }
        if (zone.observances.size() == maxObservances)
            return Zone(); // taken as an unknown zone
        zone.observances.push_back(observance);
    }
    return zone;
}

// A wall-clock moment of the event made into the user's local moment.
struct TimeContext {
    std::unordered_map<std::string, Zone> zones;
    size_t* unknownZones;
};

double LocalMoment(const ICalDateTime& value, const std::string& zoneName,
                   const TimeContext& context, bool* unknownZone) {
    double moment = Moment(value);
    if (!value.hasTime)
        return moment;
    double utc;
    if (value.utc) {
        utc = moment;
    } else if (zoneName.empty()) {
        return moment; // floating: the user's own time
    } else {
        const auto zone = context.zones.find(zoneName);
        if (zone == context.zones.end() || zone->second.observances.empty()) {
            *unknownZone = true;
            return moment;
        }
        utc = moment - ZoneOffset(zone->second, moment) / 1440.0;
    }
    return utc + LocalUtcOffsetMinutes(utc) / 1440.0;
}

// "P1D", "PT1H30M", "P2W": the length in days (fractions for times); false when malformed.
bool ParseDuration(const std::string& text, double* days) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || text[i++] != 'P')
        return false;
    double total = 0;
    bool inTime = false, any = false;
    while (i < text.size()) {
        if (text[i] == 'T') {
            inTime = true;
            ++i;
            continue;
        }
        long number = 0;
        size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 9)
            number = number * 10 + (text[i++] - '0'), ++digits;
        if (digits == 0 || i >= text.size())
            return false;
        const char unit = text[i++];
        if (unit == 'W' && !inTime)
            total += number * 7.0;
        else if (unit == 'D' && !inTime)
            total += number;
        else if (unit == 'H' && inTime)
            total += number / 24.0;
        else if (unit == 'M' && inTime)
            total += number / 1440.0;
        else if (unit == 'S' && inTime)
            total += number / 86400.0;
        else
            return false;
        any = true;
    }
    if (!any)
        return false;
    *days = negative ? -total : total;
    return true;
}

std::string TimeText(double localMoment) {
    const long minutes = std::lround((localMoment - std::floor(localMoment)) * 1440) % 1440;
    char text[16];
    std::snprintf(text, sizeof text, "%ld:%02ld ", minutes / 60, minutes % 60);
    return text;
}

class Importer {
  public:
    Importer(ImportPlan& plan, const std::vector<TEventType>& types, double today)
        : plan_(plan), types_(types), horizon_{today - ImportDaysBefore, today + ImportDaysAfter,
                                               MaxOccurrencesPerEvent} {
        context_.unknownZones = &plan.unknownZones;
    }

    void Calendar(const ICalComponent& calendar) {
        context_.zones.clear();
        overridden_.clear();
        for (const ICalComponent& child : calendar.children) {
            if (child.name == "VTIMEZONE") {
                const ICalProperty* id = child.Find("TZID");
                if (id)
                    context_.zones[id->value] = ReadZone(child);
            } else if (child.name == "VEVENT") {
                const ICalProperty* uid = child.Find("UID");
                const ICalProperty* recurrenceId = child.Find("RECURRENCE-ID");
                ICalDateTime instance;
                if (uid && recurrenceId && ParseICalDateTime(recurrenceId->value, &instance))
                    overridden_[uid->value].push_back(instance.day);
            }
        }
        for (const ICalComponent& child : calendar.children) {
            if (Full())
                return;
            if (child.name == "VEVENT")
                Event(child);
            else if (child.name == "VTODO")
                Skip("to-do");
            else if (child.name == "VJOURNAL")
                Skip("journal entry");
            else if (child.name != "VTIMEZONE")
                Skip("other entry (" + child.name.substr(0, 40) + ")");
        }
    }

    bool Full() {
        if (plan_.dated.size() + plan_.regular.size() <= MaxImportedReminders)
            return false;
        plan_.failure =
            "The file would add more than " + std::to_string(MaxImportedReminders) + " reminders.";
        return true;
    }

  private:
    void Skip(const std::string& why) { ++plan_.skipped[why]; }

    // Control characters (a NUL would end the text, byte 26 a day file) show as "?" too; line
    // breaks are kept for the description's lines, and tabs as they are.
    std::string Text(const std::string& utf8) {
        std::string text = Utf8ToAnsi(utf8, &plan_.replacedCharacters);
        for (char& c : text) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') {
                c = '?';
                ++plan_.replacedCharacters;
            }
        }
        return text;
    }

    // The reminder's stored text: type group, start time, summary and description lines.
    std::string StoredText(const ICalComponent& event, const std::string& timePrefix) {
        std::string summary;
        if (const ICalProperty* property = event.Find("SUMMARY"))
            summary = Text(UnescapeText(property->value));
        std::string text = timePrefix + summary;
        if (const ICalProperty* property = event.Find("DESCRIPTION")) {
            std::string description = Text(UnescapeText(property->value));
            text += '\n' + description;
        }
        // A "|" of the text itself would split it where the other program did not.
        std::replace(text.begin(), text.end(), '|', '/');
        std::string joined;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') {
                if (i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
                joined += '|';
            } else if (text[i] == '\n') {
                joined += '|';
            } else {
                joined += text[i];
            }
        }
        std::string type;
        for (const ICalProperty& property : event.properties) {
            if (property.name != "CATEGORIES" || !type.empty())
                continue;
            for (const std::string& category : SplitTextList(property.value)) {
                size_t ignored = 0;
                const std::string name = Utf8ToAnsi(category, &ignored);
                const auto match =
                    std::find_if(types_.begin(), types_.end(), [&](const TEventType& t) {
                        return SameTextIgnoringCase(t.Name, name);
                    });
                if (match != types_.end()) {
                    type = match->Name;
                    break;
                }
            }
        }
        if (joined.size() > maxText) {
            joined.resize(maxText);
            ++plan_.shortened;
        }
        if (type.empty()) {
            // Braces of the text that would read as a type group are shown as parentheses.
            size_t open, close;
            if (FindFirstBraceGroup(joined, &open, &close)) {
                joined[open] = '(';
                joined[close] = ')';
            }
            return joined;
        }
        return RegularDescription(type, joined);
    }

    void Event(const ICalComponent& event) {
        ++plan_.events;
        const ICalProperty* startProperty = event.Find("DTSTART");
        ICalDateTime start;
        if (!startProperty || !ParseICalDateTime(startProperty->value, &start)) {
            Skip("event without a start date the calendar can show");
            return;
        }
        if (const ICalProperty* status = event.Find("STATUS"))
            if (UpperCaseAscii(status->value) == "CANCELLED") {
                Skip("cancelled event");
                return;
            }
        if (UpperCaseAscii(startProperty->Parameter("VALUE")) == "DATE")
            start.hasTime = false, start.time = 0;
        const std::string zoneName =
            start.hasTime && !start.utc ? startProperty->Parameter("TZID") : "";
        // How long it lasts, in wall-clock days of its own zone.
        double length = start.hasTime ? 0 : 1;
        if (const ICalProperty* end = event.Find("DTEND")) {
            ICalDateTime endValue;
            if (ParseICalDateTime(end->value, &endValue))
                length = Moment(endValue) - Moment(start);
        } else if (const ICalProperty* duration = event.Find("DURATION")) {
            double days;
            if (ParseDuration(duration->value, &days))
                length = days;
        }
        if (!(length >= 0))
            length = 0;

        bool unknownZone = false;
        const double localStart = LocalMoment(start, zoneName, context_, &unknownZone);
        if (unknownZone)
            ++plan_.unknownZones;
        const std::string timePrefix = start.hasTime ? TimeText(localStart) : "";
        const std::string text = StoredText(event, timePrefix);

        const ICalProperty* ruleProperty = event.Find("RRULE");
        RecurrenceRule rule;
        if (ruleProperty) {
            std::string reason;
            if (!ParseRecurrenceRule(ruleProperty->value, &rule, &reason)) {
                Skip("event with " + reason);
                return;
            }
        }
        std::vector<double> excluded;
        const ICalProperty* uid = event.Find("UID");
        if (uid && !event.Find("RECURRENCE-ID")) {
            const auto found = overridden_.find(uid->value);
            if (found != overridden_.end())
                excluded = found->second;
        }
        std::vector<double> extra;
        for (const ICalProperty& property : event.properties) {
            if (property.name != "EXDATE" && property.name != "RDATE")
                continue;
            for (const std::string& item : SplitTextList(property.value)) {
                ICalDateTime value;
                if (!ParseICalDateTime(item, &value))
                    continue;
                (property.name == "EXDATE" ? excluded : extra).push_back(value.day);
                if (excluded.size() + extra.size() > MaxOccurrencesPerEvent)
                    break;
            }
        }

        // One local day of a timed event that starts late may be the next: only an all-day,
        // floating or same-day event with hours to spare keeps its weekday and day of month.
        const double localDay = std::floor(localStart);
        const double timeOfDay = localStart - localDay;
        const bool steadyDay =
            !start.hasTime || (zoneName.empty() && !start.utc) ||
            (localDay == start.day && timeOfDay >= 3 / 24.0 && timeOfDay <= 21 / 24.0);
        TEntryInterval interval;
        if (ruleProperty && excluded.empty() && extra.empty() && DaySpan(localStart, length) == 1 &&
            steadyDay && localDay >= FirstSystemDate && IsCalendarDay(localDay) &&
            ProgramInterval(rule, start.day, &interval)) {
            TRegularEntry entry;
            entry.StartDate = localDay;
            entry.Interval = static_cast<uint8_t>(interval);
            entry.Description = text.substr(0, maxText);
            entry.AnchorDay = DayOfMonth(localDay);
            plan_.regular.push_back(entry);
            return;
        }
        if (!ruleProperty) {
            AddDays(start, zoneName, length, text);
            return;
        }
        std::vector<double> occurrences;
        const ExpansionResult result = ExpandRecurrence(
            rule, start.day, start.time, horizon_, [&](double day) { occurrences.push_back(day); });
        for (double day : extra)
            if (day >= horizon_.firstDay && day <= horizon_.lastDay)
                occurrences.push_back(day);
        std::sort(excluded.begin(), excluded.end());
        std::sort(occurrences.begin(), occurrences.end());
        occurrences.erase(std::unique(occurrences.begin(), occurrences.end()), occurrences.end());
        if (result.cut)
            ++plan_.occurrencesCut;
        for (double day : occurrences) {
            if (std::binary_search(excluded.begin(), excluded.end(), day))
                continue;
            ICalDateTime occurrence = start;
            occurrence.day = day;
            // The same wall-clock time on each day, so its text may differ where the offsets do.
            bool ignored = false;
            const double local = LocalMoment(occurrence, zoneName, context_, &ignored);
            AddDays(occurrence, zoneName, length,
                    start.hasTime ? StoredText(event, TimeText(local)) : text);
            if (Full())
                return;
        }
    }

    static int DaySpan(double localStart, double length) {
        const double first = std::floor(localStart);
        // The end is exclusive: an event that ends at midnight does not reach that day.
        double last = length > 0 ? std::ceil(localStart + length) - 1 : first;
        if (last < first)
            last = first;
        return static_cast<int>(std::min<double>(last - first + 1, MaxEventDays + 1.0));
    }

    void AddDays(const ICalDateTime& start, const std::string& zoneName, double length,
                 const std::string& text) {
        bool ignored = false;
        const double localStart = LocalMoment(start, zoneName, context_, &ignored);
        const int days = DaySpan(localStart, length);
        if (days > MaxEventDays)
            ++plan_.occurrencesCut;
        const double first = std::floor(localStart);
        for (int i = 0; i < std::min(days, MaxEventDays); ++i) {
            const double day = first + i;
            if (!IsCalendarDay(day))
                continue;
            plan_.dated.push_back({day, text});
        }
    }

    ImportPlan& plan_;
    const std::vector<TEventType>& types_;
    ExpansionLimits horizon_;
    TimeContext context_;
    std::unordered_map<std::string, std::vector<double>> overridden_;
};
} // namespace

ImportPlan PlanCalendarImport(const std::string& bytes, const std::vector<TEventType>& types,
                              double today, const ICalLimits& limits) {
    ImportPlan plan;
    ICalComponent root;
    ICalReadNotes notes;
    if (!ReadICalendar(bytes, limits, &root, &notes, &plan.failure))
        return plan;
    if (notes.damagedComponents)
        plan.skipped["damaged or unfinished entry"] += notes.damagedComponents;
    if (notes.tooDeep)
        plan.skipped["entry nested too deeply"] += notes.tooDeep;
    bool anyCalendar = false;
    Importer importer(plan, types, std::floor(today));
    for (const ICalComponent& calendar : root.children) {
        if (calendar.name != "VCALENDAR")
            continue;
        anyCalendar = true;
        importer.Calendar(calendar);
        if (!plan.failure.empty())
            return plan;
    }
    if (!anyCalendar && notes.damagedComponents == 0)
        plan.failure = "The file holds no calendar.";
    return plan;
}

std::string ImportSummary(const ImportPlan& plan, size_t added, size_t alreadyPresent) {
    std::string text = "Added " + std::to_string(added) + " reminder" + (added == 1 ? "" : "s") +
                       " from " + std::to_string(plan.events) + " event" +
                       (plan.events == 1 ? "" : "s") + ".";
    if (alreadyPresent)
        text += "\r\nAlready present: " + std::to_string(alreadyPresent) + ".";
    size_t skipped = 0;
    for (const auto& reason : plan.skipped)
        skipped += reason.second;
    if (skipped) {
        text += "\r\nSkipped: " + std::to_string(skipped) + " (";
        bool first = true;
        for (const auto& reason : plan.skipped) {
            text += (first ? "" : ", ") + std::to_string(reason.second) + " " + reason.first;
            first = false;
        }
        text += ").";
    }
    if (plan.occurrencesCut)
        text += "\r\n" + std::to_string(plan.occurrencesCut) +
                " repeating or long events were shown only from a year ago to two years ahead (or "
                "up to " +
                std::to_string(MaxOccurrencesPerEvent) + " times, " + std::to_string(MaxEventDays) +
                " days).";
    if (plan.unknownZones)
        text += "\r\n" + std::to_string(plan.unknownZones) +
                " times in an unknown time zone were taken as local time.";
    if (plan.replacedCharacters)
        text += "\r\n" + std::to_string(plan.replacedCharacters) +
                " characters this system cannot show became \"?\".";
    if (plan.shortened)
        text += "\r\n" + std::to_string(plan.shortened) + " texts were cut to 255 characters.";
    return text;
}
