#pragma once

#include "core/game/Clock.h"
#include "ui/Platform.h"

namespace palitra {

// Prompts shown as modal message boxes titled "Palitra". A question ignores the keyboard for its first
// `KeyGuardSeconds` on `clock`, and held keys' repeats for good: a quick second Return, or a Return already on its
// way when the question opens, cannot answer it before it can be read.
class MessageBoxPrompts final : public Prompts {
public:
    static constexpr double KeyGuardSeconds = 0.5;

    explicit MessageBoxPrompts(Clock& clock);
    bool ask(const QString& question) override;
    void inform(const QString& message) override;
    void warn(const QString& message) override;
    void error(const QString& message) override;

private:
    Clock& clock_;
};

} // namespace palitra
