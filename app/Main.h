#pragma once

// Start-up: finds the catalogue's path in the configuration file, beside the program or in the
// user's configuration folder (ConfigurationPlace), creating the file with the default path on
// first start, then loads and shows the main window. False, after telling the user, when the
// configuration file can be neither read nor created; the program then ends.
bool Main();
