#pragma once

#include <functional>
#include <memory>

class AppConfiguration;
class AppSerializableObjectsMgr;

// The application hub: owns every model object. It is created on the UI
// thread at start-up and destroyed there at exit, after the windows.
class VtApp {
public:
    using ConfigurationFactory = std::function<std::shared_ptr<AppConfiguration>()>;

    // The platform's configuration comes from the application, which alone
    // knows where its files live.
    explicit VtApp(ConfigurationFactory makeConfiguration);
    // Saves every modified object, twice so that the second pass catches what
    // the first one's writing changed, then releases the model in reverse order.
    ~VtApp();
    VtApp(const VtApp&) = delete;
    VtApp& operator=(const VtApp&) = delete;

    // Creates the configuration and the objects manager unless they exist.
    void ensureStore();
    // Creates and loads the model objects; false means no monitor was found.
    bool initialize();

    std::shared_ptr<AppConfiguration> configuration() const { return appConfiguration; }
    std::shared_ptr<AppSerializableObjectsMgr> objectsMgr() const { return objectsManager; }

private:
    // Fields are released in reverse order: the objects manager before the
    // configuration it reads its paths and formats from.
    ConfigurationFactory makeConfiguration;
    std::shared_ptr<AppConfiguration> appConfiguration;
    std::shared_ptr<AppSerializableObjectsMgr> objectsManager;
};
