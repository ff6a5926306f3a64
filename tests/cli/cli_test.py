"""Runs the built lunomat-cli and checks what a user or a script sees."""

import datetime
import os
import subprocess
import sys
import tempfile
import unittest

CLI = None

WORKED_EXAMPLE = [
    "Mittwoch, der 29.07.2009",
    "zunehmend - noch 7 Tage bis Vollmond  ( am 05.08.2009 )",
    "Halbmond zunehmend",
    "Entfernung:  394785 km (bezogen auf den mittleren Erddurchmesser = 12735 km)",
    "Ekliptischer Breitengrad:   -5,07385 °",
    "Ekliptischer Längengrad:     222,96 °",
    "mondgif/mond-22.gif",
]


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, timeout=60)


def lines_of(result):
    text = result.stdout.decode("utf-8")
    assert "\r" not in text
    return text.split("\n")


class PhaseTest(unittest.TestCase):
    def test_worked_example_is_seven_exact_lines(self):
        result = run("phase", "29.07.2009")
        self.assertEqual(result.returncode, 0)
        self.assertEqual(result.stderr, b"")
        self.assertEqual(lines_of(result), WORKED_EXAMPLE + [""])

    def test_blocks_are_separated_by_one_empty_line(self):
        lines = lines_of(run("phase", "29.07.2009", "03.01.2026", "7.3.2009"))
        self.assertEqual(len(lines), 3 * 7 + 2 + 1)
        self.assertEqual(lines[:7], WORKED_EXAMPLE)
        self.assertEqual(lines[7], "")
        self.assertEqual(lines[8:11], ["Sonnabend, der 03.01.2026", "Vollmond (full moon)", "Vollmond"])
        self.assertEqual(lines[14], "mondgif/mond-01.gif")
        self.assertEqual(lines[16], "Sonnabend, der 07.03.2009")

    def test_today_without_arguments(self):
        before = datetime.date.today()
        lines = lines_of(run("phase"))
        after = datetime.date.today()
        self.assertEqual(len(lines), 8)
        dates = {d.strftime("%d.%m.%Y") for d in (before, after)}
        self.assertIn(lines[0].split(", der ")[1], dates)

    def test_many_dates_in_one_call_match_single_calls(self):
        start = datetime.date(2000, 1, 1)
        dates = [(start + datetime.timedelta(days=i)).strftime("%d.%m.%Y") for i in range(20 * 366)]
        lines = lines_of(run("phase", *dates))
        self.assertEqual(len(lines), len(dates) * 8)
        for index in (0, 1234, len(dates) - 1):
            single = lines_of(run("phase", dates[index]))[:7]
            self.assertEqual(lines[index * 8:index * 8 + 7], single)
            self.assertTrue(lines[index * 8].endswith(dates[index]))


class YearTest(unittest.TestCase):
    def test_2024_rows(self):
        result = run("year", "2024")
        self.assertEqual(result.returncode, 0)
        lines = lines_of(result)
        self.assertEqual(len(lines), 14)
        self.assertEqual(lines[0], "  27.12.2023      |      04.01.2024     |     11.01.2024     |     18.01.2024")
        self.assertEqual(lines[12], "  15.12.2024      |      23.12.2024     |     30.12.2024     |     07.01.2025")
        for line in lines[:13]:
            self.assertEqual(len(line), 77)
            self.assertEqual([i for i, c in enumerate(line) if c == "|"], [18, 40, 61])


class IcsTest(unittest.TestCase):
    def test_calendar_file_has_52_all_day_events(self):
        import icalendar

        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "mond-2024.ics")
            result = run("year", "2024", "--ics", path)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertEqual(os.listdir(folder), ["mond-2024.ics"])
            with open(path, "rb") as file:
                raw = file.read()
            self.assertEqual(raw.count(b"\n"), raw.count(b"\r\n"))
            calendar = icalendar.Calendar.from_ical(raw)
            self.assertEqual(str(calendar["VERSION"]), "2.0")
            self.assertIn("PRODID", calendar)
            events = calendar.walk("VEVENT")
            self.assertEqual(len(events), 52)
            self.assertEqual(len({str(e["UID"]) for e in events}), 52)
            rows = [line.split("|") for line in lines_of(run("year", "2024"))[:13]]
            expected = []
            for row in rows:
                for text, summary in zip(row, ["Vollmond", "Halbmond abnehmend", "Neumond", "Halbmond zunehmend"]):
                    expected.append((datetime.datetime.strptime(text.strip(), "%d.%m.%Y").date(), summary))
            got = []
            for event in events:
                start = event["DTSTART"].dt
                self.assertIsInstance(start, datetime.date)
                self.assertNotIsInstance(start, datetime.datetime)
                self.assertIn("DTSTAMP", event)
                got.append((start, str(event["SUMMARY"])))
            self.assertEqual(got, expected)

    def test_existing_file_is_replaced_whole(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "x.ics")
            with open(path, "w") as old:
                old.write("old content " * 10000)
            self.assertEqual(run("year", "1911", "--ics", path).returncode, 0)
            with open(path, "rb") as file:
                self.assertTrue(file.read().startswith(b"BEGIN:VCALENDAR\r\n"))
            self.assertEqual(os.listdir(folder), ["x.ics"])


class EclipsesTest(unittest.TestCase):
    def test_thirty_print_lines(self):
        lines = lines_of(run("eclipses"))
        self.assertEqual(len(lines), 31)
        self.assertEqual(lines[0], "14.04.1987  Halbschatten - Finsternis | 21.12.2010  Totale       - Finsternis")
        self.assertEqual(lines[29], "31.12.2009  Partielle    - Finsternis | 09.12.2030  Halbschatten - Finsternis")


class ErrorsTest(unittest.TestCase):
    def assert_refused(self, *args):
        result = run(*args)
        self.assertEqual(result.returncode, 2, args)
        self.assertEqual(result.stdout, b"", args)
        message = result.stderr.decode("utf-8")
        self.assertTrue(message.startswith("lunomat-cli: "), message)
        return message

    def test_bad_input_is_refused_with_exit_2_and_no_output(self):
        cases = [
            ("phase", "31.04.2009"), ("phase", "29.02.2100"), ("phase", "00.01.2009"),
            ("phase", "01.13.2009"), ("phase", "01.01.1899"), ("phase", "01.01.2101"),
            ("phase", "29.07.2009", "kaputt"), ("phase", ""), ("phase", "29.07.09"),
            ("phase", "29-07-2009"), ("phase", "99999999999.07.2009"),
            ("year",), ("year", "1899"), ("year", "2101"), ("year", "20x4"), ("year", "-2024"),
            ("year", "99999999999999999999"), ("year", "2024", "2025"), ("year", "2024", "--ics"),
            ("eclipses", "2024"), ("mondphase",), (),
        ]
        for args in cases:
            with self.subTest(args=args):
                self.assert_refused(*args)

    def test_messages_are_german(self):
        self.assertIn("gibt es nicht", self.assert_refused("phase", "31.04.2009"))
        self.assertIn("1900", self.assert_refused("year", "2101"))
        self.assertIn("Unbekannter Befehl", self.assert_refused("sonne"))

    def test_refused_calendar_leaves_no_file(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "x.ics")
            self.assert_refused("year", "2101", "--ics", path)
            self.assert_refused("year", "abcd", "--ics", path)
            self.assertEqual(os.listdir(folder), [])

    def test_unwritable_target_leaves_nothing(self):
        with tempfile.TemporaryDirectory() as folder:
            target = os.path.join(folder, "sub")
            os.mkdir(target)
            result = run("year", "2024", "--ics", target)  # a folder cannot be replaced by a file
            self.assertNotEqual(result.returncode, 0)
            self.assertEqual(result.stdout, b"")
            self.assertEqual(sorted(os.listdir(folder)), ["sub"])
            self.assertEqual(os.listdir(target), [])

    def test_help_lists_the_commands(self):
        result = run("--help")
        self.assertEqual(result.returncode, 0)
        text = result.stdout.decode("utf-8")
        for word in ("phase", "year", "--ics", "eclipses", "Befehle"):
            self.assertIn(word, text)


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv[1])
    unittest.main(argv=[sys.argv[0], *sys.argv[2:]], verbosity=2)
