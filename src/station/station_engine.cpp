#include "station/station_engine.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace {

StationEngineFactory linkedFactory = nullptr;

// Where the module lies: beside the program in the build tree, in the installed library folder
// (VANDREL_MODULE_DIR, relative to the installation prefix) once installed.
QStringList moduleCandidates()
{
    const QString programDirectory = QCoreApplication::applicationDirPath();
    const QString name = QStringLiteral("vandrel-station-nats.so");
    return {programDirectory + u'/' + name, programDirectory + QStringLiteral("/../") +
                                                QStringLiteral(VANDREL_MODULE_DIR) + u'/' + name};
}

StationEngineFactory moduleFactory(QString &problem)
{
    for (const QString &candidate : moduleCandidates()) {
        // The module stays loaded for the program's life: its engine's threads run its code.
        auto *module = new QLibrary(candidate);
        if (!module->load()) {
            problem = module->errorString();
            delete module;
            continue;
        }
        if (auto factory =
                reinterpret_cast<StationEngineFactory>(module->resolve(stationEngineSymbol)))
            return factory;
        problem = module->errorString();
        module->unload();
        delete module;
    }
    return nullptr;
}

} // namespace

void useStationEngineFactory(StationEngineFactory factory)
{
    linkedFactory = factory;
}

std::unique_ptr<StationEngine> startStationEngine(const StationSettings &settings,
                                                  StationEngineCallbacks callbacks,
                                                  QString &problem)
{
    static StationEngineFactory loaded = nullptr;
    StationEngineFactory factory = linkedFactory ? linkedFactory : loaded;
    if (!factory)
        factory = loaded = moduleFactory(problem);
    if (!factory)
        return nullptr;
    return std::unique_ptr<StationEngine>(factory(settings, std::move(callbacks)));
}
