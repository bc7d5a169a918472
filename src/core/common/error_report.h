#pragma once

#include <string>
#include <vector>

namespace carvelle {

// Where numbered error messages go. The ui shows them in a modal "Error" box; tests record
// them; the command-line tools print them.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ShowErrorBox(const std::string& text) = 0;
};

// Writes each message as one line to standard error. Used until something else is installed.
class StderrErrorReporter final : public ErrorReporter {
public:
    void ShowErrorBox(const std::string& text) override;
};

class RecordingErrorReporter final : public ErrorReporter {
public:
    void ShowErrorBox(const std::string& text) override { reports.push_back(text); }
    std::vector<std::string> reports;
};

// The process-wide reporter; never null.
ErrorReporter& CurrentErrorReporter();
// Installs a reporter (not owned); nullptr restores the standard-error one.
void SetErrorReporter(ErrorReporter* reporter);

// Installs a reporter for the lifetime of this object, then restores the previous one.
class ScopedErrorReporter {
public:
    explicit ScopedErrorReporter(ErrorReporter& reporter);
    ~ScopedErrorReporter();
    ScopedErrorReporter(const ScopedErrorReporter&) = delete;
    ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;

private:
    ErrorReporter* previous_;
};

// The operating system's description of an error number.
std::string SystemErrorText(int systemError);

// "<system text> (Error Code: <systemError>/<code>)."
std::string ComposeErrorText(int code, int systemError);
// "\"<file>\", " followed by ComposeErrorText.
std::string ComposeFileErrorText(int code, const std::string& fileName, int systemError);

void ShowErrorBox(const std::string& text);
void ReportError(int code, int systemError = 0);
void ReportFileError(int code, const std::string& fileName, int systemError = 0);

} // namespace carvelle
