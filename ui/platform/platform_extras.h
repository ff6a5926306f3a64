#pragma once
// The parts of the platform that a session needs only now and then: the error
// sound and the printer. They live in a module that is loaded on first use,
// so that start-up time and memory do not pay for the sound library and Qt
// Print Support.

#include <QString>
#include <memory>

class QWidget;

namespace lunomat {

class LinePrinter;

class PlatformExtras {
public:
    virtual ~PlatformExtras() = default;
    // Starts the sound file and returns at once; a new call restarts it.
    virtual void playSound(const QString& file) = 0;
    // The print dialog; nullptr when cancelled or when it cannot be shown.
    virtual std::unique_ptr<LinePrinter> choosePrinter(QWidget* parent) = 0;
};

// The module's one entry point; the caller owns the result. The module's
// file name comes from the build.
using PlatformExtrasFactory = PlatformExtras* (*)();
inline constexpr const char* kPlatformExtrasEntry = "lunomat_create_platform_extras";

}  // namespace lunomat
