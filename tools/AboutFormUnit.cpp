// The about box. The version is the one of the running program, read from its version block.
#include "AboutFormUnit.h"
#include "DialogServices.h"
#include "HyperlinkLabel.h"
#include "OptionsFormComponents.h"
#include "ProgramDirectory.h"
#include "VrHyperButton.h"
#include "info.h"

namespace {
const COLORREF productNameColour = RGB(0, 0, 0xFF);
} // namespace

TAboutBox::TAboutBox() : TBaseForm("TAboutBox") {}

TAboutBox::~TAboutBox() {
    Destroy();
    link_.reset();
    okButton_.reset();
}

void TAboutBox::FormCreate() {
    RequireComponents(Controls().Description(), AboutBoxComponents());
    TEPInfoExe info;
    info.ExeName = ProgramExecutablePath();
    info.LangId = "0C09";
    info.Read();
    SetWindowTextA(Control("Version"), ("Version " + info.FileVersion).c_str());
    // The program has no web page of its own: the link opens its readme, as Read Me does.
    if (link_)
        link_->SetCaption("readme.txt");
}

HWND TAboutBox::CreateCustomControl(const FormComponent& component, const RECT& bounds, int id) {
    if (component.kind == "programicon") {
        HWND picture = CreateWindowExA(
            0, "STATIC", "", WS_CHILD | SS_ICON | SS_CENTERIMAGE, bounds.left, bounds.top,
            bounds.right - bounds.left, bounds.bottom - bounds.top, Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
        icon_ = LoadProgramIcon(Scale(32));
        if (picture && icon_)
            SendMessageA(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
        return picture;
    }
    if (component.kind == "hyperlink") {
        link_ = std::make_unique<THyperlinkLabel>(Handle(), component.name, id,
                                                  TWidgetBounds{bounds.left, bounds.top,
                                                                bounds.right - bounds.left,
                                                                bounds.bottom - bounds.top},
                                                  component.Text("caption"), Dpi() / 96.0);
        return link_->Handle();
    }
    if (component.kind == "hoverbutton") {
        okButton_ = std::make_unique<TVrHyperButton>(Handle(), component.name, id,
                                                     component.Text("caption"));
        okButton_->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left,
                             bounds.bottom - bounds.top);
        okButton_->SetFontFace("Verdana");
        okButton_->SetFontHeight(-Scale(11));
        okButton_->SetFontColor(GetSysColor(COLOR_BTNTEXT));
        okButton_->SetBorderColor(RGB(0x80, 0x80, 0x80));
        okButton_->SetColorEnter(GetSysColor(COLOR_WINDOW));
        okButton_->OnClick = [this](TVrHyperButton&) { SetModalResult(mrOk); };
        return okButton_->Handle();
    }
    return nullptr;
}

bool TAboutBox::HandleEvent(TFormEvent& event) {
    static const TFormHandler<TAboutBox> handlers[] = {
        {"VrHyperLink1", TFormEvent::Kind::Click, &TAboutBox::VrHyperLink1Click},
        {"VrHyperButton1", TFormEvent::Kind::Click, &TAboutBox::VrHyperButton1Click},
    };
    return DispatchFormEvent(*this, handlers, event);
}

void TAboutBox::VrHyperLink1Click(TFormEvent&) {
    OpenReadMe();
}
void TAboutBox::VrHyperButton1Click(TFormEvent&) {
    SetModalResult(mrOk);
}

void TAboutBox::PaintBevel(HDC dc) {
    const FormComponent* panel = Controls().Description().FindComponent("Panel1");
    if (!panel)
        return;
    RECT bevel = {Scale(panel->Number("bounds", 0, 0)), Scale(panel->Number("bounds", 1, 0)), 0, 0};
    bevel.right = bevel.left + Scale(panel->Number("bounds", 2, 0));
    bevel.bottom = bevel.top + Scale(panel->Number("bounds", 3, 0));
    DrawEdge(dc, &bevel, BDR_RAISEDINNER | BDR_SUNKENOUTER, BF_RECT);
}

LRESULT TAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PaintSession paint(Handle());
        PaintBevel(paint.Get());
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == Control("ProductName")) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, productNameColour);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    case WM_COMMAND: {
        const TFormControl* control = Controls().FindWindow(reinterpret_cast<HWND>(lParam));
        if (control && control->kind == "hyperlink" && HIWORD(wParam) == BN_CLICKED) {
            TFormEvent event{TFormEvent::Kind::Click, control->name};
            RaiseEvent(event);
            return 0;
        }
        // Enter and Escape close the box, as its one button does.
        if (!lParam && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            SetModalResult(mrOk);
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return TBaseForm::HandleMessage(message, wParam, lParam);
}
