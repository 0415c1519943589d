// The database step of the review station's start-up: the stations' database file in the data
// folder of the settings, copied there from the empty template beside the program when it is
// missing, and the process's connection opened on it. A database that cannot be connected is
// reported ("Database is not Found !! ...") and the program goes on; every later database
// operation then fails on its own.
#pragma once

#include "platform/core/Types.h"

namespace tarlux {

// The stations' database file name, in the data folder and (as the template) beside the program.
constexpr char kDatabaseFileName[] = "TarvicII.mdb";
// The stations' database password.
constexpr char kDatabasePassword[] = "vam38216";

// Copies the template when needed and connects ReviewDatabase(): 1 when connected, else 0
// after the message.
int ConnectReviewDatabase();

} // namespace tarlux
