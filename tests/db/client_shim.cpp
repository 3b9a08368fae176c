// A client library as the setup carries it: the system's MariaDB client plus the one
// function that current client libraries no longer export.
#include <mariadb/mysql.h>

extern "C" void myodbc_remove_escape(MYSQL*, char* name) {
    char* to = name;
    for (const char* from = name; *from; ++from)
        if (*from != '\\') *to++ = *from;
    *to = '\0';
}

// Referenced so that the linker keeps the client library as a dependency.
extern "C" const char* tavo_shim_client_info() {
    return mysql_get_client_info();
}
