#pragma once

#include <string>
#include <vector>

namespace carvelle {

// The program that opens a document, as the system registers it for the document's type.
struct OpenProgram {
    std::string Program; // native path; empty when the system has none
    // The program's arguments; each kDocumentArgument stands for the document.
    std::vector<std::string> Arguments;
};
inline constexpr const char* kDocumentArgument = "\x01document\x01";

// The program registered for an existing document (native path), or an empty one.
OpenProgram FindAssociatedProgram(const std::string& document);

// The file can be started as a program by itself (not merely opened by another one).
bool IsRunnableProgram(const std::string& file);

// Turns a registered command line (a desktop entry's Exec value) into a program and its
// arguments; the program is looked up on the search path unless it names a path. Empty when
// the line is malformed or the program cannot be found.
OpenProgram ParseOpenCommand(const std::string& commandLine);

// The arguments as one parameter text for the shell: each argument that holds a blank or a
// double quote is quoted, and the document stands where the placeholder was.
std::string ShellParameters(const std::vector<std::string>& arguments, const std::string& document);

} // namespace carvelle
