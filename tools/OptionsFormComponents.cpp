// The components each dialog drives; the order is that of the pages.
#include "OptionsFormComponents.h"

const std::vector<DrivenComponent>& OptionsFormComponents() {
    static const std::vector<DrivenComponent> components = {
        {"PageControl1", "pagecontrol"},
        {"FirstDayGroup", "radiogroup"},
        {"DateFormatEdit", "edit"},
        {"FontCombo", "combo"},
        {"FontSizeSpin", "spinedit"},
        {"FontColourCombo", "colourcombo"},
        {"HighlightColourCombo", "colourcombo"},
        {"SampleShape", "shape"},
        {"SampleLabel", "previewlabel"},
        {"TooltipFontCombo", "combo"},
        {"TooltipFontSizeSpin", "spinedit"},
        {"TooltipFontColorCombo", "colourcombo"},
        {"TooltipBackgroundColorComboBox", "colourcombo"},
        {"SampleTooltipShape", "shape"},
        {"SampleTooltipLabel", "previewlabel"},
        {"ListView1", "listview"},
        {"EventEdit", "edit"},
        {"EventColourButton", "button"},
        {"AddEventTypeButton", "button"},
        {"RemoveEventTypeButton", "button"},
        {"ListCountSpin", "spinedit"},
        {"StartupCheck", "checkbox"},
        {"ColourCodingGroup", "radiogroup"},
        {"HSpacingSpin", "spinedit"},
        {"VSpacingSpin", "spinedit"},
        {"LanguageGroup", "group"},
        {"LanguageList", "checklist"},
        {"WeekNumbersCheck", "checkbox"},
        {"FillTodayCheck", "checkbox"},
        {"TodayColourCombo", "colourcombo"},
        {"SubscribedFileEdit", "edit"},
        {"SubscribedBrowseButton", "button"},
        {"SubscribedColourCombo", "colourcombo"},
        {"AlertLeadCombo", "combo"},
        {"AlertTomorrowCheck", "checkbox"},
        {"AlertSoundCheck", "checkbox"},
        {"HideTrayIconCheck", "checkbox"},
        {"ReadmeButton", "button"},
        {"AboutButton", "button"},
        {"OkButton", "button"},
        {"CancelButton", "button"},
        {"ApplyButton", "button"},
    };
    return components;
}

const std::vector<DrivenComponent>& AboutBoxComponents() {
    static const std::vector<DrivenComponent> components = {
        {"Panel1", "panel"},
        {"ProgramIcon", "programicon"},
        {"ProductName", "label"},
        {"Version", "label"},
        {"Copyright", "label"},
        {"VrHyperLink1", "hyperlink"},
        {"VrHyperButton1", "hoverbutton"},
    };
    return components;
}

void RequireComponents(const FormComponent& description,
                       const std::vector<DrivenComponent>& components) {
    for (const DrivenComponent& wanted : components) {
        const FormComponent* found = description.FindComponent(wanted.name);
        if (!found || found->kind != wanted.kind)
            throw VelmoraError("The description of the dialog " + description.name + " has no " +
                               wanted.kind + " named " + wanted.name + ".");
    }
}
