// TAboutBox: the product's name, icon and version, its notice and a link to the readme.
#pragma once
#include "BaseForm.h"
#include "WinHandles.h"

#include <memory>

class THyperlinkLabel;
class TVrHyperButton;

class TAboutBox : public TBaseForm {
  public:
    TAboutBox();
    ~TAboutBox() override;

  protected:
    void FormCreate() override;
    bool HandleEvent(TFormEvent& event) override;
    HWND CreateCustomControl(const FormComponent& component, const RECT& bounds, int id) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void VrHyperLink1Click(TFormEvent& event);
    void VrHyperButton1Click(TFormEvent& event);
    void PaintBevel(HDC dc);

    std::unique_ptr<THyperlinkLabel> link_;
    std::unique_ptr<TVrHyperButton> okButton_;
    // The picture control shows it without owning it; the destructor's Destroy takes the
    // window down before the members go.
    IconHandle icon_;
};
