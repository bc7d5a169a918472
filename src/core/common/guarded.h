#pragma once

#include "error_report.h"
#include "stream.h"

#include <cerrno>
#include <new>
#include <string>

namespace carvelle {

// Runs the body of a reader or writer under its one handler: anything raised inside is
// reported once with the routine's own code and turns into false. A nested routine that
// returned false has reported already, so the body just passes its false up.
template <typename Body> bool Guarded(int code, Body&& body) {
    try {
        return body();
    } catch (const StreamError& e) {
        ReportError(code, e.SystemError());
    } catch (const std::bad_alloc&) {
        ReportError(code, ENOMEM);
    } catch (const std::exception&) {
        ReportError(code, 0);
    }
    return false;
}

// The same for routines whose message names the file they were working on.
template <typename Body> bool GuardedFile(int code, const std::string& fileName, Body&& body) {
    try {
        return body();
    } catch (const StreamError& e) {
        ReportFileError(code, fileName, e.SystemError());
    } catch (const std::bad_alloc&) {
        ReportFileError(code, fileName, ENOMEM);
    } catch (const std::exception&) {
        ReportFileError(code, fileName, 0);
    }
    return false;
}

} // namespace carvelle
