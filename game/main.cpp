// The game's entry: one application, run as "quillax". An error that ends the
// program is reported under "ERROR" after the application has been torn
// down, and the exit code says that it failed.

#include "app/application.h"
#include "app/error_report.h"
#include "app/run_guarded.h"

int main()
{
    const std::string error = run_guarded([](application& app) { app.run("quillax"); });
    if (error.empty())
        return 0;
    report_error(error);
    return 1;
}
