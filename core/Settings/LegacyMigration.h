#pragma once
#include <filesystem>
#include <string>
#include <vector>

// Moves the data folders of the product's earlier name to the current name, early in every
// start of the default store. Reports nothing to the user; the next start tries again.
namespace quillane::LegacyMigration {

struct Outcome {
    enum class Kind { merged, failed, nothingToDo, moved };
    Kind kind = Kind::nothingToDo;
    int movedItems = 0;    // merged: the children moved into the existing folder
    std::string message;   // failed: the system's description of the error

    static Outcome merged(int movedItems) { return {Kind::merged, movedItems, {}}; }
    static Outcome failed(std::string message) { return {Kind::failed, 0, std::move(message)}; }
    static Outcome nothingToDo() { return {Kind::nothingToDo, 0, {}}; }
    static Outcome moved() { return {Kind::moved, 0, {}}; }
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

// For every base in order (the data home, then the cache home; a base that cannot be
// determined is skipped): moveFolder(base/"Tarnwick", base/"Quillane"). Never throws.
void migrateTarnwickFolders();
// The same for explicitly given bases; returns the outcomes in base order.
std::vector<Outcome> migrateTarnwickFolders(const std::vector<std::filesystem::path>& bases);

// Moves the folder whole when the target does not exist; otherwise moves, one level deep,
// every child whose name the target does not hold yet, and removes the source once it is
// empty. Nothing is ever overwritten. Never throws.
Outcome moveFolder(const std::filesystem::path& source, const std::filesystem::path& target);

}  // namespace quillane::LegacyMigration
