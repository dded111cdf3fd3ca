#include "doubles/Doubles.h"

namespace vorlix::test {

FakeServices::FakeServices(const QString& folder) : tempFolder(folder) {}

Services FakeServices::services()
{
    return Services{
        sound,
        msgBox,
        fileDialog,
        [state = mp3] { return std::make_unique<FakeMp3Play>(state); },
        QStringLiteral("/nonexistent-program-folder"),
        tempFolder,
        helpViewer,
        registry,
        shell,
    };
}

} // namespace vorlix::test
