#include "App/SnapshotOptions.h"

#include <QCoreApplication>

namespace quillane::Snapshot {

std::optional<std::string> argument(const QStringList& arguments, const QString& flag) {
    const qsizetype at = arguments.indexOf(flag);
    if (at < 0 || at + 1 >= arguments.size()) return std::nullopt;
    return arguments.at(at + 1).toStdString();
}

std::optional<std::string> argument(const QString& flag) { return argument(QCoreApplication::arguments(), flag); }

bool present(const QStringList& arguments, const QString& flag) { return arguments.contains(flag); }

std::optional<Options> options(const QStringList& arguments) {
    const auto directory = argument(arguments, QStringLiteral("--snapshot"));
    if (!directory) return std::nullopt;
    Options o;
    o.directory = *directory;
    o.dutch = argument(arguments, QStringLiteral("--lang")) == "nl";
    o.fakeUpdate = present(arguments, QStringLiteral("--fake-update"));
    o.preset = argument(arguments, QStringLiteral("--preset"));
    o.demo = present(arguments, QStringLiteral("--demo"));
    o.project = argument(arguments, QStringLiteral("--project"));
    o.features = present(arguments, QStringLiteral("--features"));
    o.simulate = present(arguments, QStringLiteral("--simulate"));
    o.pauseTest = present(arguments, QStringLiteral("--pause-test"));
    return o;
}

Script script(const Options& options) {
    if (options.fakeUpdate) return Script::fakeUpdate;
    if (options.features) return Script::features;
    if (options.simulate) return Script::selfTest;
    return Script::standard;
}

}  // namespace quillane::Snapshot
