#include "about/TVerInfoForm.h"

#include "about/VerInfoTexts.h"
#include "app/ErrorDisplay.h"
#include "catalogue/PictureIcon.h"

#include <QFrame>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <span>

// The icon and the logo live in the static ui library: registered by hand, or the linker
// drops them.
static void initAboutResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(about);
        return true;
    }();
    (void)done;
}

namespace orvanel {

namespace {

constexpr int ClientWidth = 285;
constexpr int ClientHeight = 183;
constexpr QSize LogoSize(206, 53);
constexpr QSize IconSize(32, 32);

// An SVG of the program's resources drawn into an image of `size` over `background`.
// Through the toolkit's SVG image plugin, loaded when the about box first opens: the program
// does not link the SVG library, which the palette itself never needs.
QImage renderSvg(const QString& resource, QSize size, QImage::Format format, Qt::GlobalColor background)
{
    QImage image(size, format);
    image.fill(background);
    QImageReader reader(resource, "svg");
    reader.setScaledSize(size);
    QPainter painter(&image);
    painter.drawImage(QPoint(0, 0), reader.read());
    return image;
}

QLabel* newLabel(QWidget* parent, const char* name, const QRect& bounds)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(bounds);
    return label;
}

} // namespace

TVerInfoForm::TVerInfoForm(ProgramStarter& programs, QWidget* owner, std::unique_ptr<about::AnimationClock> clock)
    : QDialog(owner),
      programs_(programs),
      clock_(std::move(clock)),
      animation_(about::verInfoTexts())
{
    initAboutResources();
    buildForm();
    // The logo as designed, on the panel's black, in 24-bit pixels; the shown logo starts black.
    LogoSource_ = renderSvg(QStringLiteral(":/about/logo.svg"), LogoSize, QImage::Format_RGB888, Qt::black);
    logo_ = QImage(LogoSize, QImage::Format_RGB888);
    logo_.fill(Qt::black);
    stepTimer_.setSingleShot(true);
    stepTimer_.setTimerType(Qt::PreciseTimer);
    connect(&stepTimer_, &QTimer::timeout, this, [this] { runStep(); });
    render();
}

void TVerInfoForm::buildForm()
{
    setWindowTitle(QString::fromUtf8("バージョン情報"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    if (parentWidget())
        setFont(parentWidget()->font());

    PanelInfo = new QFrame(this);
    PanelInfo->setObjectName("PanelInfo");
    PanelInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelInfo->setGeometry(4, 6, ClientWidth - 8, 134);
    PanelInfo->setAutoFillBackground(true);
    QPalette black = PanelInfo->palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, Qt::white);
    PanelInfo->setPalette(black);

    ImageIcon = newLabel(PanelInfo, "ImageIcon", QRect(QPoint(12, 14), IconSize));
    ImageIcon->setPixmap(QPixmap::fromImage(
        renderSvg(QStringLiteral(":/about/orvanel.svg"), IconSize, QImage::Format_ARGB32_Premultiplied, Qt::transparent)));
    ImageIcon->setAccessibleName(QStringLiteral("Orvanel"));
    ImageLogo = newLabel(PanelInfo, "ImageLogo", QRect(QPoint(54, 4), LogoSize));
    ImageLogo->setAccessibleName(QStringLiteral("Orvanel"));

    QFont bold = font();
    bold.setBold(true);
    const char* names[about::LabelCount] = {"LabelVersion", "LabelCopyRight", "LabelURL", "LabelMail"};
    const auto texts = about::verInfoTexts();
    for (int i = 0; i < about::LabelCount; ++i) {
        QLabel* label = newLabel(PanelInfo, names[i], QRect(10, 62 + 17 * i, ClientWidth - 23, 17));
        label->setFont(bold);
        label->setTextFormat(Qt::PlainText);
        // The caption is what has been typed; the full text is the label's name for
        // screen readers.
        label->setAccessibleName(QString::fromStdString(texts[static_cast<std::size_t>(i)]));
        labels_[i] = label;
    }
    LabelVersion = labels_[0];
    LabelCopyRight = labels_[1];
    LabelURL = labels_[2];
    LabelMail = labels_[3];
    LabelURL->setCursor(Qt::PointingHandCursor);
    LabelURL->installEventFilter(this);

    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName("OkBtn");
    QFont large = font();
    large.setPixelSize(16);
    OkBtn->setFont(large);
    OkBtn->setGeometry((ClientWidth - 96) / 2, 146, 96, 30);
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, [this] { OkBtnClick(); });
}

void TVerInfoForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

bool TVerInfoForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LabelURL && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        LabelURLClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TVerInfoForm::FormActivate()
{
    animation_.start(clock_->now());
    OkBtn->setText(QString::fromUtf8("止める"));
    OkBtn->repaint();
    runStep();
}

// One step of the animation when it is due, then the timer for the next one; after the
// last, the button offers to close.
void TVerInfoForm::runStep()
{
    if (animation_.advance(clock_->now()))
        render();
    if (const auto due = animation_.nextDue()) {
        stepTimer_.start(static_cast<int>(std::max<long long>(0, (*due - clock_->now()).count())));
        return;
    }
    OkBtn->setText(QString::fromUtf8("閉じる"));
    OkBtn->repaint();
}

void TVerInfoForm::render()
{
    for (int i = 0; i < about::LabelCount; ++i)
        labels_[i]->setText(QString::fromStdString(animation_.caption(i)));
    if (animation_.logoShade() == shownShade_)
        return;
    shownShade_ = animation_.logoShade();
    const auto rowBytes = static_cast<std::size_t>(LogoSize.width()) * 3;
    for (int y = 0; y < LogoSize.height(); ++y)
        about::FadeBytes(std::span(LogoSource_.constScanLine(y), rowBytes), std::span(logo_.scanLine(y), rowBytes),
                         shownShade_);
    ImageLogo->setPixmap(QPixmap::fromImage(logo_));
}

// While the animation runs the button stops it and the window stays; afterwards it closes
// the window.
void TVerInfoForm::OkBtnClick()
{
    if (!animation_.AnimationRunning()) {
        accept();
        return;
    }
    animation_.stop();
    stepTimer_.stop();
    render();
    OkBtn->setText(QString::fromUtf8("閉じる"));
    OkBtn->repaint();
}

void TVerInfoForm::LabelURLClick()
{
    const QString address = QString::fromUtf8(about::WebAddress);
    if (programs_.openWithDesktop(about::WebAddress) == DesktopOpenOutcome::Failed)
        ShowMessage(address + QString::fromUtf8(" を開けませんでした。"), this);
}

QIcon ProgramIcon()
{
    // Rendered from the SVG art at build time: showing the window needs no SVG renderer.
    std::vector<std::pair<QString, int>> pictures;
    for (int size : {16, 32, 48})
        pictures.emplace_back(QStringLiteral(":/program/orvanel-%1.png").arg(size), size);
    return catalogue::pictureIcon(std::move(pictures));
}

void ShowVerInfo(QWidget* owner, ProgramStarter& programs)
{
    TVerInfoForm form(programs, owner);
    form.exec();
}

} // namespace orvanel
