// The reminder editor driven without a window: what looking, editing and each button do to
// the rows and the modified state, and the exact bytes a save leaves on disk.
#include "CalendarEntriesModel.h"
#include "ReminderFiles.h"
#include "StoreFixture.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {
std::string Record(double date, const std::string& text, uint8_t interval) {
    std::string record(272, '\0');
    std::memcpy(&record[0], &date, 8);
    record[8] = static_cast<char>(text.size());
    std::memcpy(&record[9], text.data(), text.size());
    record[264] = static_cast<char>(interval);
    return record;
}

class CalendarEntriesModelTest : public StoreFixture {
  protected:
    // Opens a new editor as the opener does, on 5 March 2007.
    void Open() {
        model = TCalendarEntriesModel();
        model.SetEventTypes(
            {{"work", 65280}, {"Birthday", 255}, {"anniversary", 16711680}, {"Holiday", 0}});
        ReplaceEventTypes({{"work", 65280}, {"Birthday", 255}, {"System", -2147483643}});
        model.SetDefaultColour(0xFFFFFF);
        ASSERT_TRUE(model.SetDate(Date(2007, 3, 5) + 0.75).Succeeded());
    }
    int TypeEntry(const std::string& name) {
        const std::vector<std::string> entries = model.TypeEntries();
        return static_cast<int>(std::find(entries.begin(), entries.end(), name) - entries.begin());
    }
    const std::string dayFile = "data/2007-03-05.txt";
    TCalendarEntriesModel model;
};

TEST_F(CalendarEntriesModelTest, LoadingSplitsLinesAndRecordsIntoRows) {
    WriteFile(dayFile, "{Birthday}Anna\r\n\r\nCall {Bob} now\r\na}b{c");
    WriteFile("data/regular.dat",
              Record(Date(2007, 1, 8), "{Work}Standup", 1) + Record(Date(2000, 2, 29), "Leap", 5));
    Open();
    ASSERT_EQ(model.DatedRows().size(), 4u);
    const DatedRow expected[] = {
        {"Anna", "Birthday"}, {"", ""}, {"Call  now", "Bob"}, {"a}b{c", ""}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(model.DatedRows()[i].Description, expected[i].Description);
        EXPECT_EQ(model.DatedRows()[i].ReminderType, expected[i].ReminderType);
    }
    ASSERT_EQ(model.RegularRows().size(), 2u);
    const RegularRow& standup = model.RegularRows()[0];
    EXPECT_EQ(standup.Description, "Standup");
    EXPECT_EQ(standup.ReminderType, "Work");
    EXPECT_EQ(TCalendarEntriesModel::StartText(standup), "1/8/2007");
    EXPECT_EQ(TCalendarEntriesModel::IntervalText(model.RegularRows()[1]), "Year");
    EXPECT_EQ(model.ShownDate(), Date(2007, 3, 5));
    EXPECT_EQ(model.RegularStartDate(), Date(2007, 3, 5));
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(model.SelectedDatedRow(), -1);
}

TEST_F(CalendarEntriesModelTest, ABrokenRegularFileKeepsTheRowsBeforeItAndIsNotOverwritten) {
    const std::string broken[] = {Record(1, "first", 1) + Record(2, "bad", 7) +
                                      Record(3, "after", 1),
                                  Record(1, "first", 1) + std::string(100, 'x')};
    for (const std::string& content : broken) {
        WriteFile("data/regular.dat", content);
        LoadResult load = model.SetDate(Date(2007, 3, 5));
        EXPECT_FALSE(load.Succeeded());
        ASSERT_EQ(model.RegularRows().size(), 1u);
        EXPECT_EQ(model.RegularRows()[0].Description, "first");

        // Saving the day must not shorten regular.dat to the rows that could be read.
        model.AddEntryButtonClick();
        model.SetDescriptionText("new");
        SaveResult save = model.SaveEntries();
        EXPECT_EQ(save.status, SaveStatus::SavedExceptUnreadable);
        EXPECT_NE(save.message.find("regular.dat"), std::string::npos);
        EXPECT_EQ(ReadFile(dayFile), "new\r\n");
        EXPECT_EQ(ReadFile("data/regular.dat"), content);
        std::filesystem::remove(folder.Path() / dayFile);
    }
}

// A file that could not be read when the date was shown (held open by another program) is
// read again at the save: while it still cannot be, nothing is written and the typed rows
// stay; once it can, its reminders come first and the typed ones after them.
TEST_F(CalendarEntriesModelTest, RowsTypedWhileTheirFileCouldNotBeReadAreSavedAfterIt) {
    const std::string regular = Record(Date(2007, 1, 8), "Standup", 1);
    struct Case {
        const char* name;
        const char* file;
        std::function<void(TCalendarEntriesModel&)> type;
        std::function<void()> expectSaved;
    };
    const Case cases[] = {
        {"day file", "data/2007-03-05.txt",
         [](TCalendarEntriesModel& m) {
             m.AddEntryButtonClick();
             m.SetDescriptionText("typed");
         },
         [this] { EXPECT_EQ(ReadFile(dayFile), "{Birthday}Anna\r\ntyped\r\n"); }},
        {"regular.dat", "data/regular.dat",
         [](TCalendarEntriesModel& m) {
             m.AddRegularEntryButtonClick();
             m.SetRegularDescriptionText("Gym");
             m.ChooseInterval(1);
         },
         [this, &regular] {
             EXPECT_EQ(ReadFile("data/regular.dat"), regular + Record(Date(2007, 3, 5), "Gym", 1));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dayFile, "{Birthday}Anna\r\n");
        WriteFile("data/regular.dat", regular);
        const std::string dayBefore = ReadFile(dayFile);
        // The day file is read first, regular.dat second.
        const int readsBefore = std::string(c.file) == dayFile ? 0 : 1;
        SetPortableFileFaultAfterSteps(PortableFileStep::Read, readsBefore);
        EXPECT_FALSE(model.SetDate(Date(2007, 3, 5)).Succeeded());
        c.type(model);

        SetPortableFileFault(PortableFileStep::Read);
        const SaveResult refused = model.OkButtonClick();
        EXPECT_EQ(refused.status, SaveStatus::IoError);
        EXPECT_NE(refused.message.find("cannot be read now"), std::string::npos);
        EXPECT_EQ(ReadFile(dayFile), dayBefore);
        EXPECT_EQ(ReadFile("data/regular.dat"), regular);
        EXPECT_TRUE(model.Modified());

        ClearPortableFileFault();
        EXPECT_EQ(model.OkButtonClick().status, SaveStatus::Saved);
        c.expectSaved();
        EXPECT_FALSE(model.Modified());
    }
}

TEST_F(CalendarEntriesModelTest, TypeBoxesOfferSortedNamesAndARowsOwnType) {
    WriteFile(dayFile, "{Gone}Old type\r\n{BIRTHDAY}Loud\r\n");
    Open();
    EXPECT_EQ(model.TypeEntries(),
              (std::vector<std::string>{"", "anniversary", "Birthday", "Holiday", "work"}));
    EXPECT_EQ(model.ChosenTypeIndex(), -1);

    model.ListView1SelectItem(0, true);
    EXPECT_EQ(model.TypeEntries(),
              (std::vector<std::string>{"", "anniversary", "Birthday", "Gone", "Holiday", "work"}));
    EXPECT_EQ(model.ChosenTypeIndex(), 3);
    model.ListView1SelectItem(1, true);
    EXPECT_EQ(model.TypeEntries().size(), 5u); // BIRTHDAY is Birthday, shown as that entry
    EXPECT_EQ(model.ChosenTypeIndex(), 2);
    model.ListView1SelectItem(0, true);
    EXPECT_EQ(model.DatedRows()[1].ReminderType, "BIRTHDAY");
    model.ChooseType(TypeEntry("work"));
    model.ListView1SelectItem(0, false);
    EXPECT_EQ(model.DatedRows()[0].ReminderType, "work");
    EXPECT_EQ(model.TypeEntries().size(), 5u);
}

TEST_F(CalendarEntriesModelTest, TypeNamesHoldingEqualsSignsAreOfferedAndStoredWhole) {
    Open();
    model.SetEventTypes({{"a=b", 255}, {"=", 65280}});
    EXPECT_EQ(model.TypeEntries(), (std::vector<std::string>{"", "=", "a=b"}));
    model.AddEntryButtonClick();
    model.SetDescriptionText("Dentist");
    model.ChooseType(TypeEntry("a=b"));
    model.SetRegularStartDate(Date(2007, 1, 8));
    model.AddRegularEntryButtonClick();
    model.SetRegularDescriptionText("Gym");
    model.ChooseRegularType(1);
    model.ChooseInterval(1);
    ASSERT_EQ(model.ApplyButtonClick().status, SaveStatus::Saved);
    EXPECT_EQ(ReadFile(dayFile), "{a=b}Dentist\r\n");
    EXPECT_EQ(ReadFile("data/regular.dat"), Record(Date(2007, 1, 8), "{=}Gym", 1));
}

// Each case opens on the rows written below, with nothing selected, and runs its steps.
TEST_F(CalendarEntriesModelTest, OnlyRealEditsAndThePromisedCasesMarkTheDialogModified) {
    struct Case {
        const char* name;
        std::function<void(TCalendarEntriesModel&)> steps;
        bool modified;
    };
    const Case cases[] = {
        {"looking at an empty row with an unknown type",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(1, true);
             m.ListView1SelectItem(1, false);
         },
         false},
        {"leaving a row with text empties the box, a change",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(0, true);
             m.ListView1SelectItem(1, true);
         },
         true},
        {"stale and repeated list reports",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(1, true);
             m.ListView1SelectItem(1, true);
             m.ListView1SelectItem(0, false);
             m.ListView1SelectItem(7, true);
         },
         false},
        {"adding rows",
         [](TCalendarEntriesModel& m) {
             m.AddEntryButtonClick();
             m.AddEntryButtonClick();
         },
         false},
        {"choosing the type already shown",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(1, true);
             m.ChooseType(m.ChosenTypeIndex());
         },
         false},
        {"choosing another type",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(1, true);
             m.ChooseType(1);
         },
         true},
        {"typing detached",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(1, true);
             m.SetChangeHandlers(false);
             m.SetDescriptionText("x");
         },
         false},
        {"deleting",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(1, true);
             m.DeleteEntryButtonClick();
         },
         true},
        {"moving",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(1, true);
             m.ShuffleUpButtonClick();
         },
         true},
        {"moving past the end",
         [](TCalendarEntriesModel& m) {
             m.ListView1SelectItem(1, true);
             m.ShuffleDownButtonClick();
         },
         false},
        {"looking at a regular row",
         [](TCalendarEntriesModel& m) {
             m.ListView2SelectItem(0, true);
             m.SetRegularStartDate(m.RegularStartDate());
             m.ChooseInterval(m.ChosenInterval());
             m.ChooseRegularType(m.ChosenRegularTypeIndex());
             m.ListView2SelectItem(0, false);
         },
         false},
        {"another start date",
         [](TCalendarEntriesModel& m) {
             m.ListView2SelectItem(0, true);
             m.SetRegularStartDate(1000);
         },
         true},
        {"another interval",
         [](TCalendarEntriesModel& m) {
             m.ListView2SelectItem(0, true);
             m.ChooseInterval(3);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dayFile, "Anna\r\n{Gone}\r\n");
        WriteFile("data/regular.dat", Record(Date(2007, 1, 8), "{Gone}", 1));
        Open();
        c.steps(model);
        EXPECT_EQ(model.Modified(), c.modified);
        EXPECT_EQ(model.AppIdle().applyEnabled, c.modified);
    }
}

TEST_F(CalendarEntriesModelTest, LookingAtARowKeepsItsStoredTextAndTypeWhole) {
    const std::string longText(300, 'a');
    WriteFile(dayFile, "{Gone}" + longText + "\r\nsecond\r\n");
    WriteFile("data/regular.dat", Record(Date(2007, 1, 8), "{Gone}yearly", 5));
    Open();
    model.ListView1SelectItem(0, true);
    model.ListView1SelectItem(0, false);
    model.ListView2SelectItem(0, true);
    model.ListView2SelectItem(0, false);
    model.ListView1SelectItem(1, true);
    model.SetDescriptionText("second, edited");
    ASSERT_EQ(model.SaveEntries().status, SaveStatus::Saved);
    EXPECT_EQ(ReadFile(dayFile), "{Gone}" + longText + "\r\nsecond, edited\r\n");
    EXPECT_EQ(ReadFile("data/regular.dat"), Record(Date(2007, 1, 8), "{Gone}yearly", 5));
}

TEST_F(CalendarEntriesModelTest, MovesTradePlacesAndCarryTheFieldsWithTheRow) {
    WriteFile(dayFile, "one\r\ntwo\r\nthree\r\n");
    Open();
    model.ListView1SelectItem(1, true);
    model.SetDescriptionText("two, edited");
    model.ShuffleUpButtonClick();
    EXPECT_EQ(model.SelectedDatedRow(), 0);
    EXPECT_EQ(model.DescriptionText(), "two, edited");
    EXPECT_FALSE(model.AppIdle().shuffleUpEnabled);
    EXPECT_TRUE(model.AppIdle().shuffleDownEnabled);
    model.ShuffleDownButtonClick();
    model.ShuffleDownButtonClick();
    EXPECT_FALSE(model.AppIdle().shuffleDownEnabled);
    ASSERT_EQ(model.SaveEntries().status, SaveStatus::Saved);
    EXPECT_EQ(ReadFile(dayFile), "one\r\nthree\r\ntwo, edited\r\n");
}

TEST_F(CalendarEntriesModelTest, IdleEnablesWhatTheSelectionAllows) {
    WriteFile(dayFile, "only\r\n");
    WriteFile("data/regular.dat", Record(Date(2007, 1, 8), "weekly", 1));
    Open();
    IdleState idle = model.AppIdle();
    EXPECT_FALSE(idle.datedFieldsEnabled || idle.regularFieldsEnabled || idle.shuffleUpEnabled ||
                 idle.shuffleDownEnabled || idle.applyEnabled);
    EXPECT_EQ(idle.liveIntervalRow, -1);
    model.ListView1SelectItem(0, true);
    model.ListView2SelectItem(0, true);
    model.ChooseInterval(3);
    idle = model.AppIdle();
    EXPECT_TRUE(idle.datedFieldsEnabled && idle.regularFieldsEnabled && idle.applyEnabled);
    EXPECT_FALSE(idle.shuffleUpEnabled || idle.shuffleDownEnabled); // a single row cannot move
    EXPECT_EQ(idle.liveIntervalRow, 0);
    EXPECT_EQ(idle.liveIntervalText, "Month");
}

TEST_F(CalendarEntriesModelTest, SavingWritesExactBytesAndLeavesEmptyRowsOut) {
    Open();
    model.AddEntryButtonClick();
    model.SetDescriptionText("Anna turns 40");
    model.ChooseType(TypeEntry("Birthday"));
    model.AddEntryButtonClick(); // left empty
    model.AddEntryButtonClick();
    model.ChooseType(TypeEntry("work")); // a type alone is a reminder
    model.AddEntryButtonClick();
    model.SetDescriptionText("Party|Bring cake");

    model.SetRegularStartDate(Date(2007, 1, 8));
    model.AddRegularEntryButtonClick(); // empty and without interval: neither checked nor written
    model.AddRegularEntryButtonClick();
    EXPECT_EQ(model.RegularRows()[1].StartDate, Date(2007, 1, 8));
    model.SetRegularDescriptionText(std::string(260, 'x'));
    model.ChooseRegularType(1);
    model.ChooseInterval(1);

    ASSERT_EQ(model.ApplyButtonClick().status, SaveStatus::Saved);
    EXPECT_EQ(ReadFile(dayFile), "{Birthday}Anna turns 40\r\n{work}\r\nParty|Bring cake\r\n");
    EXPECT_EQ(
        ReadFile("data/regular.dat"),
        Record(Date(2007, 1, 8), ("{anniversary}" + std::string(260, 'x')).substr(0, 255), 1));
    EXPECT_EQ(model.DatedRows().size(), 3u);
    EXPECT_EQ(model.RegularRows().size(), 1u);
    EXPECT_FALSE(model.Modified());
    EXPECT_EQ(model.OkButtonClick().status, SaveStatus::NotModified);

    model.ListView1SelectItem(0, true);
    model.DeleteEntryButtonClick();
    model.ListView1SelectItem(0, true);
    model.DeleteEntryButtonClick();
    model.ListView1SelectItem(0, true);
    model.DeleteEntryButtonClick();
    model.ListView2SelectItem(0, true);
    model.DeleteRegularEntryButtonClick();
    ASSERT_TRUE(model.OkButtonClick().Succeeded());
    EXPECT_FALSE(Exists(dayFile));
    EXPECT_FALSE(Exists("data/regular.dat"));
    EXPECT_FALSE(TCalendarEntriesModel::IsSpecialDay(2007, 3, 5));
}

TEST_F(CalendarEntriesModelTest, EveryRegularReminderNeedsAnIntervalBeforeAnythingIsWritten) {
    WriteFile(dayFile, "keep\r\n");
    WriteFile("data/regular.dat", Record(Date(2007, 1, 8), "stored without", 0));
    Open();
    EXPECT_EQ(model.OkButtonClick().status, SaveStatus::NotModified);
    model.ListView1SelectItem(0, true);
    model.SetDescriptionText("changed");
    SaveResult save = model.OkButtonClick();
    EXPECT_EQ(save.status, SaveStatus::IntervalMissing);
    EXPECT_EQ(save.message, "You must set an interval for a regular entry.");
    EXPECT_EQ(ReadFile(dayFile), "keep\r\n");
    EXPECT_TRUE(model.Modified());

    model.ListView2SelectItem(0, true);
    model.DeleteRegularEntryButtonClick();
    model.AddRegularEntryButtonClick();
    EXPECT_EQ(model.ChosenInterval(), 0);
    model.SetRegularDescriptionText("typed, not yet committed");
    EXPECT_EQ(model.OkButtonClick().status, SaveStatus::IntervalMissing);
    model.ChooseInterval(2);
    ASSERT_EQ(model.OkButtonClick().status, SaveStatus::Saved);
    EXPECT_EQ(ReadFile(dayFile), "changed\r\n");
    EXPECT_EQ(ReadFile("data/regular.dat"),
              Record(Date(2007, 1, 8), "typed, not yet committed", 2));
}

TEST_F(CalendarEntriesModelTest, AnotherDateAsksFirstWhenThereAreUnsavedEdits) {
    struct Case {
        const char* name;
        bool modified;
        bool withoutInterval; // a new regular reminder without interval stops a save
        long failWriteAfter;  // -1: writes succeed
        SaveQuestionAnswer answer;
        bool asked, dateChanged;
        const char* dayFileAfter;
    };
    const Case cases[] = {
        {"not modified", false, false, -1, SaveQuestionAnswer::Cancel, false, true, "old\r\n"},
        {"yes", true, false, -1, SaveQuestionAnswer::Yes, true, true, "edited\r\n"},
        {"yes, stopped by the check", true, true, -1, SaveQuestionAnswer::Yes, true, false,
         "old\r\n"},
        {"yes, the write fails", true, false, 2, SaveQuestionAnswer::Yes, true, false, "old\r\n"},
        {"no", true, false, -1, SaveQuestionAnswer::No, true, true, "old\r\n"},
        {"cancel", true, false, -1, SaveQuestionAnswer::Cancel, true, false, "old\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dayFile, "old\r\n");
        WriteFile("data/2007-03-06.txt", "next day\r\n");
        Open();
        if (c.modified) {
            model.ListView1SelectItem(0, true);
            model.SetDescriptionText("edited");
        }
        if (c.withoutInterval) {
            model.AddRegularEntryButtonClick();
            model.SetRegularDescriptionText("no interval");
        }
        SetPortableWriteFailureAfter(c.failWriteAfter);
        bool asked = false;
        DateChangeOutcome outcome = model.ChangeDate(Date(2007, 3, 6), [&] {
            asked = true;
            return c.answer;
        });
        SetPortableWriteFailureAfter(-1);
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(outcome.asked, c.asked);
        EXPECT_EQ(outcome.dateChanged, c.dateChanged);
        EXPECT_EQ(ReadFile(dayFile), c.dayFileAfter);
        if (c.dateChanged) {
            EXPECT_EQ(model.ShownDate(), Date(2007, 3, 6));
            ASSERT_EQ(model.DatedRows().size(), 1u);
            EXPECT_EQ(model.DatedRows()[0].Description, "next day");
            EXPECT_FALSE(model.Modified());
        } else {
            EXPECT_EQ(model.ShownDate(), Date(2007, 3, 5));
            EXPECT_TRUE(model.Modified());
            // The edit is still there, in the fields or committed into its row.
            const bool inField =
                model.SelectedDatedRow() == 0 && model.DescriptionText() == "edited";
            EXPECT_TRUE(inField || model.DatedRows()[0].Description == "edited");
            EXPECT_EQ(model.RegularRows().size(), c.withoutInterval ? 1u : 0u);
        }
    }
}

TEST_F(CalendarEntriesModelTest, RegularStartDatesSurviveAShortDateFormatWithTwoDigitYears) {
    PortableLocale locale;
    locale.shortDateFormat = "d/M/yy";
    SetPortableLocale(locale);
    WriteFile("data/regular.dat", Record(Date(1925, 3, 5), "{work}old", 5));
    Open();
    EXPECT_EQ(TCalendarEntriesModel::StartText(model.RegularRows()[0]), "5/3/25");
    model.ListView2SelectItem(0, true);
    EXPECT_EQ(model.RegularStartDate(), Date(1925, 3, 5));
    model.SetRegularDescriptionText("older");
    model.ListView2SelectItem(0, false);
    ASSERT_EQ(model.SaveEntries().status, SaveStatus::Saved);
    EXPECT_EQ(ReadFile("data/regular.dat"), Record(Date(1925, 3, 5), "{work}older", 5));
    // The start-date field keeps the last row's date for the next Add.
    EXPECT_EQ(
        model.RegularRows()[static_cast<size_t>(model.AddRegularEntryButtonClick())].StartDate,
        Date(1925, 3, 5));
}

TEST_F(CalendarEntriesModelTest, SwatchesTakeTheTypeColourTheDefaultOrBlack) {
    Open();
    EXPECT_EQ(model.TypeSwatchColour(""), 0xFFFFFF);
    EXPECT_EQ(model.TypeSwatchColour("BIRTHDAY"), 255);
    EXPECT_EQ(model.TypeSwatchColour("Gone"), 0);
    EXPECT_EQ(model.TypeSwatchColour("System"), -2147483643);
    ReplaceEventTypes({{"Unset", -1}});
    EXPECT_EQ(model.TypeSwatchColour("unset"), -1);
}
} // namespace
