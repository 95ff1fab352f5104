#pragma once

#include "ui/Platform.h"

namespace palitra {

// Prompts shown as modal message boxes titled "Palitra".
class MessageBoxPrompts final : public Prompts {
public:
    bool ask(const QString& question) override;
    void inform(const QString& message) override;
    void warn(const QString& message) override;
    void error(const QString& message) override;
};

} // namespace palitra
