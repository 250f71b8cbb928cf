#pragma once
// The scenario files' errors as the window says them, in Portuguese. The
// scenario reader and the file writer speak English (the command line and
// --replay use their texts as they are); here each reason they can give has
// its Portuguese text. Paths are shown as the file system names them and the
// system's error texts as the system gives them.

#include <QString>
#include <string>
#include <string_view>

namespace cuponex {

class FileWriteError;

// One of the reader's reasons for a line ("unknown escape \q") in Portuguese.
// A reason the table does not know is never shown in English.
QString portugueseScenarioReason(std::string_view reason);

// The reader's message (a ScenarioError's what()) about the file at `path`
// (file-system bytes), as a sentence naming the file and the line.
QString scenarioReadError(const std::string& path, std::string_view message);

// A scenario that could not be saved.
QString scenarioSaveError(const FileWriteError& error);
QString scenarioSaveError(std::string_view writerReason);

}  // namespace cuponex
