#include "ui/info/information.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>

#include "ui/platform/platform.h"
#include "ui/widgets/ui_conventions.h"
#include "ui/platform/version.h"
#include "ui/info/caption_frame.h"

namespace lunomat {

namespace {

const QColor kBackground = rgb(64, 64, 64);
const QColor kWhite = rgb(255, 255, 255);
const QColor kYellow = rgb(255, 255, 0);
const QColor kLinkBlue = rgb(128, 128, 255);

// A plain-text label on the window's background; the rectangle in twips.
QLabel* textLabel(QWidget* parent, const QString& text, const QRect& twips, const QColor& colour,
                  Qt::Alignment alignment) {
    QLabel* label = makeLabel(parent, twipsRect(twips.x(), twips.y(), twips.width(), twips.height()), text);
    label->setAlignment(alignment);
    label->setTextFormat(Qt::PlainText);
    setColours(label, colour, kBackground);
    return label;
}

CaptionFrame* makeFrame(QWidget* parent, const QString& caption, const QColor& captionColour,
                        const QRect& twips) {
    auto* frame = new CaptionFrame(caption, captionColour, parent);
    frame->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    setColours(frame, kWhite, kBackground);
    return frame;
}

// The designed fonts are replaced by wider ones on this system; a wrapped
// text that no longer fits its designed box is set a little smaller rather
// than losing its last line.
void shrinkToFit(QLabel* label) {
    QFont font = label->font();
    const int flags = int(label->alignment()) | Qt::TextWordWrap;
    while (font.pixelSize() > 8 &&
           QFontMetrics(font).boundingRect(label->contentsRect(), flags, label->text()).height() >
               label->contentsRect().height()) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    label->setFont(font);
}

// The pointing hand over the two links, drawn for this program; its hot spot
// stands in a text file beside it ("x y"). Without the picture the system's
// pointing hand serves.
QCursor linkCursor(const QString& folder) {
    const QPixmap picture = readPicture(folder + QStringLiteral("/cursor-hand.png"));
    if (picture.isNull()) return QCursor(Qt::PointingHandCursor);
    int x = 0;
    int y = 0;
    QFile spot(folder + QStringLiteral("/cursor-hand.txt"));
    if (spot.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QStringList parts = QString::fromLatin1(spot.readAll()).simplified().split(QLatin1Char(' '));
        if (parts.size() >= 2) {
            x = std::clamp(parts[0].toInt(), 0, picture.width() - 1);
            y = std::clamp(parts[1].toInt(), 0, picture.height() - 1);
        }
    }
    return QCursor(picture, x, y);
}

// An address on the maker's web site; path starts with '/'.
QUrl makerAddress(const char* path) {
    return QUrl(QStringLiteral("http://%1%2?ref=%3")
                    .arg(QLatin1String(kWebHost), QLatin1String(path), QLatin1String(kRefTag)));
}

}  // namespace

Information::Information(Platform& platform, QLineEdit* focusOnClose, QWidget* parent)
    : NoCancelDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      platform_(platform),
      focusOnClose_(focusOnClose) {
    setWindowTitle(QStringLiteral("Luno-Mat   (Programm- Informationen)"));
    setWindowIcon(QIcon(readPicture(platform_.programFolder() + QStringLiteral("/lunomat.png"))));
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25));
    setColours(this, kWhite, kBackground);
    setGeometry(twipsRect(2550, 2595, 6870, 4905));
    setFixedSize(size());
    setSizeGripEnabled(false);

    Frame1 = makeFrame(this, QStringLiteral("Programm-Information :"), rgb(255, 255, 192), {80, 7, 4215, 1740});
    lblTitle = textLabel(Frame1, QStringLiteral("Lunomat"), {120, 165, 3960, 615}, kYellow, Qt::AlignHCenter | Qt::AlignTop);
    lblTitle->setFont(designFont(QStringLiteral("Alba Super"), 14.25, true));
    lblVersion = textLabel(Frame1, QStringLiteral("Version "), {1650, 720, 1260, 255}, kYellow, Qt::AlignLeft | Qt::AlignTop);
    lblVersion->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, true));
    Label7 = textLabel(Frame1, QStringLiteral("Lunoskop zum Eingabedatum"), {210, 960, 3810, 255}, kWhite,
                       Qt::AlignHCenter | Qt::AlignTop);
    Label7->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, true));

    Frame2 = makeFrame(this, QStringLiteral("Autor :"), kYellow, {4380, 7, 2415, 1740});
    Label4 = textLabel(Frame2, QStringLiteral("Luno-Mat-Projekt\nFreie Mondphasen-Software"), {120, 480, 2175, 495},
                       kWhite, Qt::AlignHCenter | Qt::AlignTop);
    Label5 = textLabel(Frame2, QStringLiteral("Deutschland, D-00000 Musterstadt"), {120, 960, 2175, 495}, kWhite,
                       Qt::AlignLeft | Qt::AlignTop);
    Label5->setFont(designFont(QStringLiteral("MS Serif"), 6.75));
    Label5->setWordWrap(true);
    URL = textLabel(Frame2, QStringLiteral("http://%1").arg(QLatin1String(kWebHost)), {120, 1380, 2175, 255},
                    kLinkBlue, Qt::AlignHCenter | Qt::AlignTop);
    URL->setToolTip(QStringLiteral("Start der Homepage des Autors."));

    Frame5 = makeFrame(this, QStringLiteral("Programm-Hinweis (Garantie) :"), kYellow, {80, 1800, 6720, 1320});
    Label6 = textLabel(Frame5,
                       QStringLiteral(" Mit diesen Programm können Sie die Mondphasen berechnen (nach Bradley E. "
                                      "Schaefer). Das Ergebnis wird textlich und bildlich dargestellt. Die Berechnung "
                                      "ist ausschließlich für den privaten Gebrauch mit relativ sehr guter Genauigkeit. "
                                      "Für eine Weiterverwendung in der Astronomie ist dieses Programm nur teilweise "
                                      "geeignet. Der Autor übernimmt aus diesem Grund keinerlei Haftung für daraus "
                                      "entstehende Fehlinterpretationen."),
                       {165, 240, 6450, 1005}, kWhite, Qt::AlignHCenter | Qt::AlignTop);
    Label6->setWordWrap(true);
    shrinkToFit(Label6);

    Frame3 = makeFrame(this, QStringLiteral("Freeware-Hinweis :"), kYellow, {80, 3177, 4215, 1380});
    Label2 = textLabel(Frame3,
                       QStringLiteral("Dieses Programm ist Freeware: Sie dürfen es kostenlos benutzen und "
                                      "unverändert weitergeben.\n") +
                           copyrightNotice(platform_.now().date().year()).trimmed(),
                       {120, 300, 3975, 975}, kWhite, Qt::AlignHCenter | Qt::AlignVCenter);
    Label2->setWordWrap(true);

    Frame4 = makeFrame(this, QStringLiteral("Support über Kontaktformular :"), kYellow, {4380, 3177, 2415, 900});
    Mail = textLabel(Frame4, QStringLiteral("Support-Formular"), {60, 390, 2270, 375}, kLinkBlue,
                     Qt::AlignHCenter | Qt::AlignTop);
    Mail->setToolTip(QStringLiteral("Kontakt bzw. Support über das Kontaktformular der Webseite des Autors."));

    const QCursor hand = linkCursor(platform_.programFolder());
    for (QLabel* link : {URL, Mail}) {
        link->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, false, true));
        link->setCursor(hand);
        link->installEventFilter(this);
    }

    // An ordinary button: Enter and Escape do not close the window.
    cmdOK = makeButton(this, twipsRect(5040, 4210, 1065, 332), QStringLiteral("&OK"),
                       QStringLiteral("... zurück zum Startfenster des Programms."), rgb(192, 192, 255));
    connect(cmdOK, &QPushButton::clicked, this, &Information::cmdOK_Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(twipsRect(0, 4635, 6870, 270));
    StatusBar1->setFont(designFont(QStringLiteral("Arial"), 8.25));
    setColours(StatusBar1, rgb(0, 0, 0), rgb(212, 208, 200));
    addStatusText(StatusBar1,
                  QStringLiteral("     Mit dem Klick auf   'OK'   bzw. dem Klick auf   'X'   zurück zur   Luno-Mat. "));

    const std::pair<QWidget*, const char*> names[] = {
        {Frame1, "Frame1"}, {Frame2, "Frame2"}, {Frame3, "Frame3"}, {Frame4, "Frame4"}, {Frame5, "Frame5"},
        {lblVersion, "lblVersion"}, {Label4, "Label4"}, {Label6, "Label6"}, {URL, "URL"}, {Mail, "Mail"},
        {cmdOK, "cmdOK"}};
    for (const auto& [widget, name] : names) widget->setObjectName(QLatin1String(name));

    cmdOK->setFocus(Qt::OtherFocusReason);
    Form_Load();
}

void Information::Form_Load() {
    lblVersion->setText(
        QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
}

void Information::cmdOK_Click() { close(); }

void Information::Mail_Click() { platform_.openUrl(makerAddress("/support.php")); }

void Information::URL_Click() { platform_.openUrl(makerAddress("/")); }

void Information::Form_Unload() {
    hide();
    if (focusOnClose_) focusOnClose_->setFocus(Qt::OtherFocusReason);
}

// Every way of closing (OK, close box, system menu) ends here.
void Information::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

bool Information::eventFilter(QObject* watched, QEvent* event) {
    if (watched == URL || watched == Mail) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) pressedLink_ = watched;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return false;
            const bool inside = static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
            const bool clicked = pressedLink_ == watched && inside;
            pressedLink_ = nullptr;
            if (clicked) {
                if (watched == URL)
                    URL_Click();
                else
                    Mail_Click();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lunomat
