#include "app/meridoval/demo_database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

#include "platform/seed/seed.h"
#include "platform/toolkit/qtext.h"
#include "store/local_database.h"

QString DefaultDemoPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QStringLiteral("demo.mvdb"));
}

std::shared_ptr<store::Database> OpenDatabase(const QString& path) {
    const QFileInfo info(path);
    const bool fresh = !info.exists();
    if (fresh)
        QDir().mkpath(info.absolutePath());
    auto database = store::OpenLocalDatabase(toolkit::fromQ(path));
    if (fresh) {
        const QString templates = info.absoluteDir().filePath(QStringLiteral("modeles"));
        try {
            seed::LoadDemo(*database, toolkit::fromQ(templates));
        } catch (...) {
            // A half-loaded demo would pass for a finished one at the next start.
            database.reset();
            QFile::remove(path);
            throw;
        }
        std::fprintf(stderr, "Base de démonstration créée : %s\n", qPrintable(path));
    }
    return database;
}
