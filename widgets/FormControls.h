// The builder from a form description to the controls of an open dialog, and the record of
// what it built: each control keeps its component name, so that a translated description can
// later be laid over the open dialog by name.
//
// Kinds: form (the dialog itself), panel and page (areas without a window of their own),
// pagecontrol (a tab control whose children are its pages), group (group box), label, button,
// edit, combo (drop-down list), listview (report view); any other kind is made by the dialog.
// Every window is a direct child of the dialog, in description order, which is the tab order.
#pragma once
#include "FormDescription.h"
#include "WinHandles.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct TFormControl {
    std::string name;
    std::string kind;
    HWND window = nullptr;
    int id = 0;
    int modalResult = 0;
    // The pages this control lies on, outermost first: the page control and the page index.
    std::vector<std::pair<HWND, int>> pages;
    // A picture button's glyph, drawn in its font; its window text is then its name, which
    // screen readers and automation read.
    std::string glyph;
};

class TFormControls {
  public:
    using CustomFactory = std::function<HWND(const FormComponent&, const RECT&, int id)>;

    TFormControls() = default;
    ~TFormControls();
    TFormControls(const TFormControls&) = delete;
    TFormControls& operator=(const TFormControls&) = delete;

    // Creates the controls of description on form at dpi. Raises VelmoraError for a component
    // of a kind neither the builder nor makeCustom knows.
    void Build(HWND form, const FormComponent& description, int dpi,
               const CustomFactory& makeCustom);
    // Lets go of the fonts and the tooltip window; the controls die with the dialog.
    void Release();

    const FormComponent& Description() const { return description_; }
    HWND Window(const std::string& name) const;
    const TFormControl* Find(const std::string& name) const;
    const TFormControl* FindWindow(HWND window) const;
    const TFormControl* FindId(int id) const;
    const std::vector<TFormControl>& All() const { return controls_; }
    HFONT Font() const { return font_.Get(); }

    // Shows exactly the controls whose pages are the chosen ones of their page controls.
    void ShowChosenPages() const;
    // Lays translation over the open dialog by component name (captions, hints, items,
    // column titles and widths, page captions, the dialog's caption).
    void ApplyTexts(HWND form, const FormComponent& translation);

  private:
    void BuildChildren(const FormComponent& container, POINT origin,
                       const std::vector<std::pair<HWND, int>>& pages,
                       const CustomFactory& makeCustom);
    HWND CreateStandard(const FormComponent& component, const RECT& bounds, int id);
    void ApplyComponentTexts(const TFormControl& control, const FormComponent& component);
    void SetHint(HWND window, const std::string& hint);
    HFONT FontFor(const FormComponent& component);
    int Scale(int pixels) const { return MulDiv(pixels, dpi_, 96); }
    RECT ScaledBounds(const FormComponent& component, POINT origin) const;

    HWND form_ = nullptr;
    int dpi_ = 96;
    int nextId_ = 100;
    FormComponent description_;
    std::vector<TFormControl> controls_;
    FontHandle font_;
    std::vector<std::unique_ptr<FontHandle>> extraFonts_;
    HWND tooltip_ = nullptr;
};
