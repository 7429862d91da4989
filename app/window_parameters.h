#pragma once

#include "platform/qt/desktop_controls.h"
#include "platform/qt/desktop_window.h"

// The parameter window: the student's numbers, the three spin-system buttons, the
// shift-to-coupling read-out and the line-width slider.
class WindowParameters : public platform::DesktopWindow {
  public:
    platform::DesktopLabel& Label1() const;
    platform::DesktopButton& PushButton1() const;
    platform::DesktopTextField& textfield1() const;
    platform::DesktopLabel& Label2() const;
    platform::DesktopButton& PushButton2() const;
    platform::DesktopLabel& Label4() const;
    platform::DesktopTextField& textfield3() const;
    platform::DesktopLabel& Label5() const;
    platform::DesktopLabel& Label3() const;
    platform::DesktopTextField& textfield2() const;
    platform::DesktopLabel& Label6() const;
    platform::DesktopTextField& textfield4() const;
    platform::DesktopLabel& Label8() const;
    platform::DesktopLabel& Label9() const;
    platform::DesktopLabel& Label10() const;
    platform::DesktopButton& PushButton3() const;
    platform::DesktopTextField& TextField5() const;
    platform::DesktopTextField& TextField7() const;
    platform::DesktopLabel& Label11() const;
    platform::DesktopLabel& Label12() const;
    platform::DesktopLabel& Label14() const;
    platform::DesktopLabel& Label13() const;
    platform::DesktopTextField& TextField6() const;
    platform::DesktopLabel& Label15() const;
    platform::DesktopSlider& Slider1() const;
    platform::DesktopLabel& Label16() const;
    platform::DesktopLabel& Label18() const;
    platform::DesktopLabel& Label19() const;
    platform::DesktopLabel& Label17() const;
    platform::DesktopLabel& Label20() const;

  protected:
    void Event_Opening() override;
    void Event_Closing() override;
    void Event_Activated() override;
    void Event_Deactivated() override;

  private:
    struct SpinSystem;

    WindowParameters();
    void Layout();
    void CreateControls();

    void PushButton1_Pressed(platform::DesktopButton& button);
    void textfield1_TextChanged(platform::DesktopTextField& field);
    void PushButton2_Pressed(platform::DesktopButton& button);
    void textfield3_TextChanged(platform::DesktopTextField& field);
    void textfield2_TextChanged(platform::DesktopTextField& field);
    void PushButton3_Pressed(platform::DesktopButton& button);
    void Slider1_ValueChanged(platform::DesktopSlider& slider);

    void press(const SpinSystem& system);
    void writeRatio();

    friend class WindowParameters& WindowParameters();
};

// The one parameter window: the open one, or a new one, built, filled and placed.
class WindowParameters& WindowParameters();
