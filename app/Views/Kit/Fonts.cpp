#include "Views/Kit/Fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <map>

namespace quillane::Fonts {

namespace {
const char* const textFiles[][2] = {
    {"300", ":/fonts/roboto-latin-300-normal.ttf"}, {"400", ":/fonts/roboto-latin-400-normal.ttf"},
    {"500", ":/fonts/roboto-latin-500-normal.ttf"}, {"600", ":/fonts/roboto-latin-600-normal.ttf"},
    {"700", ":/fonts/roboto-latin-700-normal.ttf"}, {"800", ":/fonts/roboto-latin-800-normal.ttf"},
    {"900", ":/fonts/roboto-latin-900-normal.ttf"},
};
const char* const monoFiles[][2] = {
    {"400", ":/fonts/jetbrains-mono-latin-400-normal.ttf"},
    {"500", ":/fonts/jetbrains-mono-latin-500-normal.ttf"},
};
const char* const markerFile = ":/fonts/permanent-marker-latin-400-normal.ttf";

struct Registry {
    bool complete = true;
    // weight → family name as the font database knows the file (a heavy cut may carry its own name).
    std::map<int, QString> text;
    std::map<int, QString> mono;
    QString marker;
};

QString add(const char* path, bool& complete) {
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(path));
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        complete = false;
        return {};
    }
    return families.first();
}

Registry& registry() {
    static Registry r = [] {
        Registry made;
        for (const auto& [weight, path] : textFiles)
            if (QString family = add(path, made.complete); !family.isEmpty()) made.text[std::atoi(weight)] = family;
        for (const auto& [weight, path] : monoFiles)
            if (QString family = add(path, made.complete); !family.isEmpty()) made.mono[std::atoi(weight)] = family;
        made.marker = add(markerFile, made.complete);
        return made;
    }();
    return r;
}

// The registered cut nearest to the wanted weight (heavier on a tie).
QString nearest(const std::map<int, QString>& cuts, int weight, const char* fallback) {
    if (cuts.empty()) return QString::fromLatin1(fallback);
    auto best = cuts.begin();
    for (auto it = cuts.begin(); it != cuts.end(); ++it)
        if (std::abs(it->first - weight) <= std::abs(best->first - weight)) best = it;
    return best->second;
}

QFont make(const QString& family, double px, int weight) {
    QFont font(family);
    font.setPointSizeF(pointSize(px, logicalDpi()));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
}  // namespace

bool registerBundled() { return registry().complete; }

double pointSize(double px, double dpi) { return px * 72.0 / (dpi > 0 ? dpi : 96.0); }

double pixelSize(const QFont& font) {
    return font.pointSizeF() > 0 ? font.pointSizeF() * logicalDpi() / 72.0 : font.pixelSize();
}

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

QFont text(double px, QFont::Weight weight) { return make(nearest(registry().text, weight, "sans-serif"), px, weight); }

QFont mono(double px, QFont::Weight weight) {
    QFont font = make(nearest(registry().mono, weight, "monospace"), px, weight);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont marker(double px) {
    const QString& family = registry().marker;
    return make(family.isEmpty() ? QStringLiteral("sans-serif") : family, px, QFont::Normal);
}

QByteArray markerFontData() {
    QFile file(QString::fromLatin1(markerFile));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QFont tracked(QFont font, double px) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, px);
    return font;
}

QFont expanded(QFont font) {
    font.setStretch(QFont::Expanded);
    return font;
}

}  // namespace quillane::Fonts
