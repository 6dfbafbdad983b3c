#pragma once
// The version window: on a black panel it types the version, the rights notice, the web
// address and the mail address, each with a blinking cursor, then fades the logo in from
// black. It renders the animation of VerInfoAnimation, one step at a time from the event
// loop, and runs it again whenever the window is activated. "止める" stops it; "閉じる"
// closes the window; a click on the address opens it in the desktop's browser (through
// `programs`, which must outlive the window).

#include "about/AnimationClock.h"
#include "about/VerInfoAnimation.h"
#include "platform/ProgramStarter.h"

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QTimer>

#include <memory>

class QFrame;
class QLabel;
class QPushButton;

namespace orvanel {

class TVerInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TVerInfoForm(ProgramStarter& programs, QWidget* owner = nullptr,
                          std::unique_ptr<about::AnimationClock> clock = std::make_unique<about::SteadyAnimationClock>());

    void FormActivate();
    void OkBtnClick();
    void LabelURLClick();

    // The logo as designed, 24-bit on black; ImageLogo shows it faded by the animation.
    const QImage& LogoSource() const { return LogoSource_; }

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildForm();
    void runStep();
    void render();

    ProgramStarter& programs_;
    std::unique_ptr<about::AnimationClock> clock_;
    about::VerInfoAnimation animation_;
    QTimer stepTimer_;
    QImage LogoSource_;
    QImage logo_;
    int shownShade_ = -1;

    QFrame* PanelInfo = nullptr;
    QLabel* ImageIcon = nullptr;
    QLabel* ImageLogo = nullptr;
    QLabel* LabelVersion = nullptr;
    QLabel* LabelCopyRight = nullptr;
    QLabel* LabelURL = nullptr;
    QLabel* LabelMail = nullptr;
    QLabel* labels_[about::LabelCount] = {};
    QPushButton* OkBtn = nullptr;
};

// The program's icon, for its windows.
QIcon ProgramIcon();

// MenuHelpVerInfoClick: creates the version window owned by `owner`, shows it modally and
// frees it when it has closed.
void ShowVerInfo(QWidget* owner, ProgramStarter& programs);

} // namespace orvanel
