// Random typing, pastes, Enter, Ctrl+O and the two commands on the date-field
// rules, with the three fields played by plain strings. Whatever happens, the
// year field never stays empty, the fields end with digits only, every field
// error message follows its sound, and the rules never nest without bound.
#include <algorithm>
#include <array>

#include "fuzz/fuzz.h"
#include "ui/dateentry/date_entry.h"

namespace {

using namespace lunomat::entry;

// The window as far as the rules see it: three texts, a selection per field,
// the focus, and whether a computation ran.
struct Window {
    std::array<std::string, 3> text{"29", "07", "2009"};
    std::array<std::pair<int, int>, 3> selection{};  // start, length
    Field focus = Field::Day;
    std::chrono::year_month_day today;
    int depth = 0;  // how deep the rules run inside each other
    bool soundBefore = false;

    static std::size_t I(Field f) { return static_cast<std::size_t>(f); }
    std::string& Of(Field f) { return text[I(f)]; }
    FieldTexts Fields() const { return {text[0], text[1], text[2]}; }

    void Select(Field f, int start, int length) {
        const int size = int(Of(f).size()), from = std::clamp(start, 0, size);
        selection[I(f)] = {from, std::clamp(length, 0, size - from)};
    }

    void Run(const Steps& steps) {
        FUZZ_CHECK(++depth <= 12);
        for (const Step& s : steps) {
            switch (s.kind) {
            case Step::Kind::Sound: soundBefore = true; break;
            // A field's error message comes right after its sound.
            case Step::Kind::Box: FUZZ_CHECK(soundBefore || s.icon != Icon::Critical), soundBefore = false; break;
            case Step::Kind::Select: Select(s.field, s.start, s.length); break;
            case Step::Kind::Write:
                if (Of(s.field) != s.text) Of(s.field) = s.text, Changed(s.field);
                break;
            case Step::Kind::Focus: focus = s.field; break;
            case Step::Kind::MoveFocus: Select(s.field, 0, s.length), focus = s.field; break;
            case Step::Kind::Load:
                Run(PrepareFields(Fields(), today));
                if (!EnteredDate(Fields())) Run(CorrectDate(Fields(), today));
                break;
            case Step::Kind::Calculate: Run(CalculatePressed(Fields(), today)); break;
            }
        }
        --depth;
    }

    void Changed(Field f) {
        Run(f == Field::Day ? DayChanged(Of(f)) : f == Field::Month ? MonthChanged(Of(f)) : YearChanged(Of(f), today));
    }

    // A typed text replaces the selection of the focused field.
    void Type(const std::string& typed) {
        auto& [start, length] = selection[I(focus)];
        Select(focus, start, length);  // the text may have changed under it
        Of(focus).replace(std::size_t(start), std::size_t(length), typed);
        Select(focus, start + int(typed.size()), 0);
        Changed(focus);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lunomat::fuzz::InputReader in{data, size};
    Window w;
    // One read after the other: the operands of "/" may be evaluated in any
    // order, and the fuzzing build and the replay use different compilers.
    const int year = in.InRange<int>(1800, 10001);
    const unsigned month = in.InRange<unsigned>(1, 12);
    const unsigned day = in.InRange<unsigned>(1, 28);
    w.today = std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day};
    static const std::string kTyped = "0123456789012345678901234567890123-+., ae\xc3\xa4";
    for (int step = 0; step < 200 && in.pos < in.size; ++step) {
        switch (in.InRange<int>(0, 9)) {
        case 0: w.focus = static_cast<Field>(in.InRange<int>(0, 2)); break;
        case 1: w.Run(KeyPressed(w.focus, static_cast<Key>(in.InRange<int>(0, 2)), w.Fields(), w.today)); break;
        case 2: w.Type(in.String(12)); break;
        case 3: {  // start, then length: arguments may be read in any order
            const int start = in.InRange<int>(0, 6);
            w.Select(w.focus, start, in.InRange<int>(0, 6));
            break;
        }
        case 4: w.Run((in.Byte() & 1) ? CalculatePressed(w.Fields(), w.today) : TodayPressed(w.today)); break;
        default: w.Type(std::string(1, kTyped[in.InRange<std::size_t>(0, kTyped.size() - 1)])); break;
        }
        FUZZ_CHECK(w.depth == 0);
        FUZZ_CHECK(!w.text[2].empty());
        for (const std::string& t : w.text) FUZZ_CHECK(t.find_first_not_of("0123456789") == std::string::npos);
    }
    return 0;
}
