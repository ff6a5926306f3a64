#include "ui/info/information.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>
#include <vector>

#include "ui/info/caption_frame.h"
#include "ui/platform/platform.h"
#include "ui/platform/version.h"
#include "ui/widgets/ui_conventions.h"

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

CaptionFrame* makeFrame(QWidget* parent, const QString& caption, const QColor& captionColour, const QRect& twips) {
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
    return QUrl(
        QStringLiteral("http://%1%2?ref=%3").arg(QLatin1String(kWebHost), QLatin1String(path), QLatin1String(kRefTag)));
}

// A framed group of the window and a text in one, as designed; places in
// twips, those of a text relative to its frame.
struct GroupDesign {
    CaptionFrame* Information::*frame;
    const char* name;
    QString caption;
    QColor captionColour;
    QRect twips;
};
struct TextDesign {
    QLabel* Information::*label;
    const char* name;
    QString text;
    QRect twips;
    QColor colour;
    Qt::Alignment alignment;
    QFont font;
    bool wrap;
    QString tooltip;
};

const char* const kWarrantyNote =
    " Mit diesen Programm können Sie die Mondphasen berechnen (nach Bradley E. Schaefer). Das Ergebnis wird "
    "textlich und bildlich dargestellt. Die Berechnung ist ausschließlich für den privaten Gebrauch mit relativ "
    "sehr guter Genauigkeit. Für eine Weiterverwendung in der Astronomie ist dieses Programm nur teilweise "
    "geeignet. Der Autor übernimmt aus diesem Grund keinerlei Haftung für daraus entstehende "
    "Fehlinterpretationen.";
const char* const kFreewareNote =
    "Dieses Programm ist Freeware: Sie dürfen es kostenlos benutzen und unverändert weitergeben.\n";

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

    buildGroups();
    const QCursor hand = linkCursor(platform_.programFolder());
    for (QLabel* link : {URL, Mail}) {
        link->setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, false, true));
        link->setCursor(hand);
        link->installEventFilter(this);
    }

    // An ordinary button: Enter and Escape do not close the window.
    cmdOK = makeButton(this, twipsRect(5040, 4210, 1065, 332), QStringLiteral("&OK"),
                       QStringLiteral("... zurück zum Startfenster des Programms."), rgb(192, 192, 255));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    connect(cmdOK, &QPushButton::clicked, this, &Information::cmdOK_Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(twipsRect(0, 4635, 6870, 270));
    StatusBar1->setFont(designFont(QStringLiteral("Arial"), 8.25));
    setColours(StatusBar1, rgb(0, 0, 0), rgb(212, 208, 200));
    addStatusText(StatusBar1,
                  QStringLiteral("     Mit dem Klick auf   'OK'   bzw. dem Klick auf   'X'   zurück zur   Luno-Mat. "))
        ->setObjectName(QStringLiteral("StatusBar1SimpleText"));

    cmdOK->setFocus(Qt::OtherFocusReason);
    Form_Load();
}

// The five framed groups and the texts in them; a text without a font of its
// own takes the window's.
void Information::buildGroups() {
    const Qt::Alignment top = Qt::AlignHCenter | Qt::AlignTop;
    const QFont own = font();
    const QFont boldFont = designFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    const QString freeware =
        QString::fromUtf8(kFreewareNote) + copyrightNotice(platform_.now().date().year()).trimmed();
    // clang-format off
    const std::pair<GroupDesign, std::vector<TextDesign>> groups[] = {
        {{&Information::Frame1, "Frame1", QStringLiteral("Programm-Information :"), rgb(255, 255, 192),
          {80, 7, 4215, 1740}},
         {{&Information::lblTitle, "lblTitle", QStringLiteral("Lunomat"), {120, 165, 3960, 615}, kYellow, top,
           designFont(QStringLiteral("Alba Super"), 14.25, true), false, {}},
          {&Information::lblVersion, "lblVersion", QStringLiteral("Version "), {1650, 720, 1260, 255}, kYellow,
           Qt::AlignLeft | Qt::AlignTop, boldFont, false, {}},
          {&Information::Label7, "Label7", QStringLiteral("Lunoskop zum Eingabedatum"), {210, 960, 3810, 255},
           kWhite, top, boldFont, false, {}}}},
        {{&Information::Frame2, "Frame2", QStringLiteral("Autor :"), kYellow, {4380, 7, 2415, 1740}},
         {{&Information::Label4, "Label4", QStringLiteral("Luno-Mat-Projekt\nFreie Mondphasen-Software"),
           {120, 480, 2175, 495}, kWhite, top, own, false, {}},
          {&Information::Label5, "Label5", QStringLiteral("Deutschland, D-00000 Musterstadt"), {120, 960, 2175, 495},
           kWhite, Qt::AlignLeft | Qt::AlignTop, designFont(QStringLiteral("MS Serif"), 6.75), true, {}},
          {&Information::URL, "URL", QStringLiteral("http://%1").arg(QLatin1String(kWebHost)), {120, 1380, 2175, 255},
           kLinkBlue, top, own, false, QStringLiteral("Start der Homepage des Autors.")}}},
        {{&Information::Frame5, "Frame5", QStringLiteral("Programm-Hinweis (Garantie) :"), kYellow,
          {80, 1800, 6720, 1320}},
         {{&Information::Label6, "Label6", QString::fromUtf8(kWarrantyNote), {165, 240, 6450, 1005}, kWhite, top, own, true, {}}}},
        {{&Information::Frame3, "Frame3", QStringLiteral("Freeware-Hinweis :"), kYellow, {80, 3177, 4215, 1380}},
         {{&Information::Label2, "Label2", freeware, {120, 300, 3975, 975}, kWhite,
           Qt::AlignHCenter | Qt::AlignVCenter, own, true, {}}}},
        {{&Information::Frame4, "Frame4", QStringLiteral("Support über Kontaktformular :"), kYellow,
          {4380, 3177, 2415, 900}},
         {{&Information::Mail, "Mail", QStringLiteral("Support-Formular"), {60, 390, 2270, 375}, kLinkBlue, top, own,
           false, QStringLiteral("Kontakt bzw. Support über das Kontaktformular der Webseite des Autors.")}}},
    };
    // clang-format on
    for (const auto& [group, texts] : groups) {
        CaptionFrame* frame = makeFrame(this, group.caption, group.captionColour, group.twips);
        frame->setObjectName(QLatin1String(group.name));
        this->*group.frame = frame;
        for (const TextDesign& t : texts) {
            QLabel* label = textLabel(frame, t.text, t.twips, t.colour, t.alignment);
            label->setObjectName(QLatin1String(t.name));
            label->setFont(t.font);
            label->setWordWrap(t.wrap);
            label->setToolTip(t.tooltip);
            this->*t.label = label;
        }
    }
    // The replacement fonts must not cut off the end of the note.
    shrinkToFit(Label6);
}

void Information::Form_Load() {
    lblVersion->setText(QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
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
                if (watched == URL) URL_Click();
                else Mail_Click();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace lunomat
