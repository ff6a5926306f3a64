// Random typing, pastes, Enter, Ctrl+O and the two commands on the date-field
// rules, with the three fields played by plain strings. Whatever happens, the
// year field never stays empty, the fields end with digits only, every field
// message follows its sound, and the rules never nest without bound.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/input_reader.h"
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
    int depth = 0;
    bool soundBefore = false;

    std::string& Of(Field f) { return text[static_cast<std::size_t>(f)]; }
    FieldTexts Fields() const { return {text[0], text[1], text[2]}; }

    void Select(Field f, int start, int length) {
        const int size = static_cast<int>(Of(f).size());
        start = std::clamp(start, 0, size);
        selection[static_cast<std::size_t>(f)] = {start, std::clamp(length, 0, size - start)};
    }

    void Run(const Steps& steps) {
        FUZZ_CHECK(++depth <= 12);
        for (const Step& s : steps) {
            switch (s.kind) {
            case Step::Kind::Sound: soundBefore = true; break;
            case Step::Kind::Box:
                if (s.title.starts_with("Luno-Mat   -   ")) FUZZ_CHECK(soundBefore);
                soundBefore = false;
                break;
            case Step::Kind::Select: Select(s.field, s.start, s.length); break;
            case Step::Kind::Write: Write(s.field, s.text); break;
            case Step::Kind::Focus: focus = s.field; break;
            case Step::Kind::MoveFocus: Select(s.field, 0, s.length); focus = s.field; break;
            case Step::Kind::Load: Load(); break;
            case Step::Kind::Calculate: Run(CalculatePressed(Fields(), today)); break;
            }
        }
        --depth;
    }

    void Write(Field f, const std::string& value) {
        if (Of(f) == value) return;  // no change runs nothing
        Of(f) = value;
        Changed(f);
    }

    void Changed(Field f) {
        if (f == Field::Day) Run(DayChanged(Of(f)));
        else if (f == Field::Month) Run(MonthChanged(Of(f)));
        else Run(YearChanged(Of(f), today));
    }

    void Load() {
        Run(PrepareFields(Fields(), today));
        if (!EnteredDate(Fields())) Run(CorrectDate(Fields(), today));
    }

    // A typed text replaces the selection of the focused field.
    void Type(const std::string& typed) {
        std::string& t = Of(focus);
        Select(focus, selection[static_cast<std::size_t>(focus)].first, selection[static_cast<std::size_t>(focus)].second);
        const auto [start, length] = selection[static_cast<std::size_t>(focus)];
        t.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), typed);
        Select(focus, start + static_cast<int>(typed.size()), 0);
        Changed(focus);
    }
};

bool DigitsOrEmpty(const std::string& t) { return t.find_first_not_of("0123456789") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lunomat::fuzz::InputReader in(data, size);
    Window w;
    w.today = std::chrono::year{in.InRange<int>(1800, 10001)} / std::chrono::month{in.InRange<unsigned>(1, 12)} /
              std::chrono::day{in.InRange<unsigned>(1, 28)};
    static const std::string kTyped = "0123456789012345678901234567890123-+., ae\xc3\xa4";
    for (int step = 0; step < 200 && in.remaining() > 0; ++step) {
        switch (in.InRange<int>(0, 9)) {
        case 0: w.focus = static_cast<Field>(in.InRange<int>(0, 2)); break;
        case 1: w.Run(KeyPressed(w.focus, static_cast<Key>(in.InRange<int>(0, 2)), w.Fields(), w.today)); break;
        case 2: w.Type(in.String(12)); break;
        case 3: w.Select(w.focus, in.InRange<int>(0, 6), in.InRange<int>(0, 6)); break;
        case 4: w.Run(in.Bool() ? CalculatePressed(w.Fields(), w.today) : TodayPressed(w.today)); break;
        default: w.Type(std::string(1, kTyped[in.InRange<std::size_t>(0, kTyped.size() - 1)])); break;
        }
        FUZZ_CHECK(w.depth == 0);
        FUZZ_CHECK(!w.text[2].empty());
        for (const std::string& t : w.text) FUZZ_CHECK(DigitsOrEmpty(t));
    }
    return 0;
}
