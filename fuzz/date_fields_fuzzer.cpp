// Random key sequences and pastes into the three date fields of the main
// window, on the offscreen platform with message boxes answered at once. The
// year field never stays empty, every field message follows its sound, and
// the handlers never nest deeper than their corrections need.
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <array>
#include <cstdint>
#include <memory>

#include "fuzz/fuzz_check.h"
#include "fuzz/input_reader.h"
#include "testsupport/fake_platform.h"
#include "ui/main/mondphase.h"

namespace {

using lunomat::Mondphase;
using lunomat::test::FakePlatform;

struct Session {
    FakePlatform platform;
    std::unique_ptr<Mondphase> window;
};
Session* session = nullptr;

// Keys that edit or leave a field, besides typed characters.
constexpr std::array<std::pair<Qt::Key, int>, 14> kKeys = {{
    {Qt::Key_Return, Qt::NoModifier},
    {Qt::Key_Enter, Qt::KeypadModifier},
    {Qt::Key_O, Qt::ControlModifier},
    {Qt::Key_Backspace, Qt::NoModifier},
    {Qt::Key_Delete, Qt::NoModifier},
    {Qt::Key_Left, Qt::NoModifier},
    {Qt::Key_Right, Qt::NoModifier},
    {Qt::Key_Home, Qt::ShiftModifier},
    {Qt::Key_End, Qt::ShiftModifier},
    {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Z, Qt::ControlModifier},
    {Qt::Key_Y, Qt::ControlModifier},
    {Qt::Key_X, Qt::ControlModifier},
    {Qt::Key_V, Qt::ControlModifier},
}};

// Characters a user types into a date field, now and then anything else.
QChar TypedCharacter(lunomat::fuzz::InputReader& in) {
    static const QString common = QStringLiteral("0123456789012345678901234567890123-+., ae\u00e4\u20ac");
    if (in.InRange<int>(0, 7) > 0) return common.at(in.InRange<int>(0, int(common.size()) - 1));
    return QChar(in.Integral<char16_t>());
}

QString PastedText(lunomat::fuzz::InputReader& in) {
    if (in.InRange<int>(0, 15) == 0) {
        // A long paste: the field holds up to 32767 characters.
        const QChar c = TypedCharacter(in);
        return QString(in.InRange<int>(3, 6000), c);
    }
    return QString::fromUtf8(in.String(12));
}

void CheckWindow(const Mondphase& w, const FakePlatform& platform) {
    FUZZ_CHECK(!w.txtJahr->text().isEmpty());
    for (std::size_t e = 0; e < platform.events.size(); ++e) {
        const auto& ev = platform.events[e];
        if (ev.kind == "box" && ev.title.startsWith(QStringLiteral("Luno-Mat   -   ")))
            FUZZ_CHECK(e > 0 && platform.events[e - 1].kind == "sound");
    }
    FUZZ_CHECK(w.maxChangeDepth() <= 3);
    FUZZ_CHECK(w.maxLoadDepth() <= 2);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    (void)argc;
    new QApplication(qtArgc, qtArgv);  // lives as long as the process
    session = new Session;
    session->platform.folder = QStringLiteral(LUNOMAT_FUZZ_ASSET_DIR);
    session->window = std::make_unique<Mondphase>(session->platform);
    session->window->Form_Load();
    session->window->show();
    session->window->activateWindow();
    if (!QTest::qWaitForWindowActive(session->window.get())) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Mondphase& w = *session->window;
    FakePlatform& platform = session->platform;
    // Every input starts from the same date with the day field focused.
    w.txtTag->setText(QStringLiteral("29"));
    w.txtMonat->setText(QStringLiteral("07"));
    w.txtJahr->setText(QStringLiteral("2009"));
    w.Command1_Click();
    platform.events.clear();

    const std::array<QLineEdit*, 3> fields = {w.txtTag, w.txtMonat, w.txtJahr};
    QLineEdit* target = w.txtTag;
    lunomat::fuzz::InputReader in(data, size);
    for (int step = 0; step < 200 && in.remaining() > 0; ++step) {
        // Keys go where the focus is while it is in a date field.
        QWidget* focus = QApplication::focusWidget();
        for (QLineEdit* f : fields)
            if (focus == f) target = f;
        switch (in.InRange<int>(0, 9)) {
        case 0:
            target = fields[in.InRange<int>(0, 2)];
            target->setFocus();
            break;
        case 1: {
            const auto [key, modifiers] = kKeys[in.InRange<std::size_t>(0, kKeys.size() - 1)];
            QTest::keyClick(target, key, Qt::KeyboardModifiers(modifiers));
            break;
        }
        case 2:
            target->insert(PastedText(in));
            break;
        case 3:
            target->setSelection(in.InRange<int>(0, 6) % (int(target->text().size()) + 1), in.InRange<int>(-6, 6));
            break;
        case 4:
            QCoreApplication::processEvents();  // lets due timers run
            break;
        default: {
            const QChar c = TypedCharacter(in);
            const Qt::Key key = c.isDigit() ? Qt::Key(Qt::Key_0 + c.digitValue()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, target, key, QString(c), Qt::NoModifier);
            break;
        }
        }
        CheckWindow(w, platform);
        platform.events.clear();
    }
    return 0;
}
