// Build helper: creates a database file from a schema text and stores the hash of its password.
//   ktutilex_make_database <database file> <schema .sql file> [password]
#include "ktutilex/ado/ComError.h"
#include "ktutilex/ado/DatabaseFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s <database file> <schema file> [password]\n", argv[0]);
        return 2;
    }
    std::ifstream schemaFile(argv[2]);
    if (!schemaFile) {
        std::fprintf(stderr, "%s: cannot read the schema file %s\n", argv[0], argv[2]);
        return 1;
    }
    std::stringstream schema;
    schema << schemaFile.rdbuf();
    try {
        ktado::CreateDatabaseFile(argv[1], schema.str().c_str(), argc == 4 ? argv[3] : nullptr);
    } catch (const _com_error& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.Description().GetString());
        return 1;
    }
    return 0;
}
