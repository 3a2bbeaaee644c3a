#include "app/MainNeu.h"
#include "base/Memory.h"
#include "data/DataDirectoryLock.h"
#include "data/DataModule.h"
#include "preview/SystemPrinter.h"
#include "print/EngineSlip.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/MessageBoxes.h"

#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    Memory::preferLargePages();
    BelvantoApplication app(argc, argv);
    QTranslator german;
    if (german.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&german);
    MessageBoxes::installForProgram();
    installSystemPrinter();
    EngineSlip::installForEngine();

    TDataModule1 data;
    // One running copy per data directory: a second one would write over the first one's files.
    DataDirectoryLock lock(data.DataDirectory());
    if (!lock.acquire()) {
        MessageService::current().error(lock.failureMessage());
        return 1;
    }
    TMainform1 mainform(data);
    mainform.show();
    const int result = QApplication::exec();
    guarded([&] { data.CloseTables(); })();
    return result;
}
