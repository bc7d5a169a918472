#pragma once

#include "common/error_report.h"

namespace carvelle::ui {

// Shows numbered errors in a modal box captioned "Error" with the error icon.
class ErrorBoxReporter final : public ErrorReporter {
public:
    void ShowErrorBox(const std::string& text) override;
};

} // namespace carvelle::ui
