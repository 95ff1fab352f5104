#pragma once

#include "ui/Platform.h"

namespace palitra {

// Opens files and addresses with the desktop's handlers.
class DesktopShell final : public Shell {
public:
    void open(const QString& target, const QString& workingDirectory) override;
};

} // namespace palitra
