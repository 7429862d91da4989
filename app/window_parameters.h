#pragma once

#include <span>

#include "platform/qt/desktop_controls.h"
#include "platform/qt/desktop_window.h"

// The parameter window: the student's numbers, the three spin-system buttons, the
// shift-to-coupling read-out and the line-width slider.
class WindowParameters : public platform::DesktopWindow {
  public:
    platform::DesktopButton& PushButton1() const { return *PushButton1_; }
    platform::DesktopTextField& textfield1() const { return *textfield1_; }
    platform::DesktopLabel& Label2() const { return *Label2_; }
    platform::DesktopButton& PushButton2() const { return *PushButton2_; }
    platform::DesktopTextField& textfield3() const { return *textfield3_; }
    platform::DesktopTextField& textfield2() const { return *textfield2_; }
    platform::DesktopTextField& textfield4() const { return *textfield4_; }
    platform::DesktopButton& PushButton3() const { return *PushButton3_; }
    platform::DesktopTextField& TextField5() const { return *TextField5_; }
    platform::DesktopTextField& TextField7() const { return *TextField7_; }
    platform::DesktopTextField& TextField6() const { return *TextField6_; }
    platform::DesktopLabel& Label15() const { return *Label15_; }
    platform::DesktopSlider& Slider1() const { return *Slider1_; }
    platform::DesktopLabel& Label18() const { return *Label18_; }
    platform::DesktopLabel& Label19() const { return *Label19_; }
    platform::DesktopLabel& Label17() const { return *Label17_; }

  protected:
    void Event_Opening() override;
    void Event_Closing() override;
    void Event_Activated() override;
    void Event_Deactivated() override;

  private:
    struct Binding;
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

    static std::span<const Binding> bindings();
    static std::span<const SpinSystem> spinSystems();
    void press(const SpinSystem& system);
    void typed(const platform::DesktopTextField& field);
    void writeRatio();

    platform::DesktopLabel* Label1_ = nullptr;
    platform::DesktopButton* PushButton1_ = nullptr;
    platform::DesktopTextField* textfield1_ = nullptr;
    platform::DesktopLabel* Label2_ = nullptr;
    platform::DesktopButton* PushButton2_ = nullptr;
    platform::DesktopLabel* Label4_ = nullptr;
    platform::DesktopTextField* textfield3_ = nullptr;
    platform::DesktopLabel* Label5_ = nullptr;
    platform::DesktopLabel* Label3_ = nullptr;
    platform::DesktopTextField* textfield2_ = nullptr;
    platform::DesktopLabel* Label6_ = nullptr;
    platform::DesktopTextField* textfield4_ = nullptr;
    platform::DesktopLabel* Label8_ = nullptr;
    platform::DesktopLabel* Label9_ = nullptr;
    platform::DesktopLabel* Label10_ = nullptr;
    platform::DesktopButton* PushButton3_ = nullptr;
    platform::DesktopTextField* TextField5_ = nullptr;
    platform::DesktopTextField* TextField7_ = nullptr;
    platform::DesktopLabel* Label11_ = nullptr;
    platform::DesktopLabel* Label12_ = nullptr;
    platform::DesktopLabel* Label14_ = nullptr;
    platform::DesktopLabel* Label13_ = nullptr;
    platform::DesktopTextField* TextField6_ = nullptr;
    platform::DesktopLabel* Label15_ = nullptr;
    platform::DesktopSlider* Slider1_ = nullptr;
    platform::DesktopLabel* Label16_ = nullptr;
    platform::DesktopLabel* Label18_ = nullptr;
    platform::DesktopLabel* Label19_ = nullptr;
    platform::DesktopLabel* Label17_ = nullptr;
    platform::DesktopLabel* Label20_ = nullptr;

    friend class WindowParameters& WindowParameters();
};

// The one parameter window: the open one, or a new one, built, filled and placed.
class WindowParameters& WindowParameters();
