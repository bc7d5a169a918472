#include "error_report.h"

#include <iostream>
#include <system_error>

namespace carvelle {

namespace {

StderrErrorReporter& DefaultReporter() {
    static StderrErrorReporter reporter;
    return reporter;
}

ErrorReporter* g_reporter = nullptr;

} // namespace

void StderrErrorReporter::ShowErrorBox(const std::string& text) {
    std::cerr << text << '\n';
}

ErrorReporter& CurrentErrorReporter() {
    return g_reporter ? *g_reporter : DefaultReporter();
}

void SetErrorReporter(ErrorReporter* reporter) {
    g_reporter = reporter;
}

ScopedErrorReporter::ScopedErrorReporter(ErrorReporter& reporter) : previous_(g_reporter) {
    g_reporter = &reporter;
}

ScopedErrorReporter::~ScopedErrorReporter() {
    g_reporter = previous_;
}

std::string SystemErrorText(int systemError) {
    return std::system_category().message(systemError);
}

std::string ComposeErrorText(int code, int systemError) {
    return SystemErrorText(systemError) + " (Error Code: " + std::to_string(systemError) + "/" +
           std::to_string(code) + ").";
}

std::string ComposeFileErrorText(int code, const std::string& fileName, int systemError) {
    return "\"" + fileName + "\", " + ComposeErrorText(code, systemError);
}

void ShowErrorBox(const std::string& text) {
    CurrentErrorReporter().ShowErrorBox(text);
}

void ReportError(int code, int systemError) {
    ShowErrorBox(ComposeErrorText(code, systemError));
}

void ReportFileError(int code, const std::string& fileName, int systemError) {
    ShowErrorBox(ComposeFileErrorText(code, fileName, systemError));
}

} // namespace carvelle
