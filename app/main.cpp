#include "main_window.h"
#include "startup.h"

#include "platform/application.h"

int main(int argc, char **argv)
{
    platform::Application app(argc, argv);
    app::prepareApplication();
    app::MainWindow form;
    form.show();
    return platform::Application::exec();
}
