// The application object: prepares the platform, finds the settings file and runs the bar.
#pragma once

class CpavraApp {
public:
    // The whole run happens inside; it always returns false, which ends the program.
    bool InitInstance();
    // Forgets the settings file name, which the start-up procedure owned.
    int ExitInstance();
};
