// Built only under AddressSanitizer, into every program that runs the browser
// engine. The engine frees some of its own objects through a base class of
// another size, inside its own library, which the sanitizer reports as a
// new/delete size mismatch. Carrying the exemption in the program itself keeps
// it the same whoever starts the program (a test, the main window, an
// installed copy), while every other check stays on. The sanitizer looks the
// function up by this reserved name.
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
