#pragma once
#include <QStringList>
#include <optional>
#include <string>

namespace quillane::Snapshot {

// The value that follows flag among the arguments (the program path included); none when the
// flag is absent or last. The value may itself begin with "--".
std::optional<std::string> argument(const QStringList& arguments, const QString& flag);
// The same over the running application's arguments (after Qt took its own).
std::optional<std::string> argument(const QString& flag);
// A flag counts as given when the exact string is among the arguments.
bool present(const QStringList& arguments, const QString& flag);

// What a snapshot run was asked to do.
struct Options {
    std::string directory;                // after --snapshot
    bool dutch = false;                   // --lang nl
    bool fakeUpdate = false;
    std::optional<std::string> preset;
    bool demo = false;
    std::optional<std::string> project;
    bool features = false;
    bool simulate = false;
    bool pauseTest = false;
};
// None without a --snapshot value: a normal start.
std::optional<Options> options(const QStringList& arguments);

// The one script a run performs; the fake update beats everything else.
enum class Script { fakeUpdate, features, selfTest, standard };
Script script(const Options& options);

}  // namespace quillane::Snapshot
