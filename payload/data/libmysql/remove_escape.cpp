// The one name of the setup's client binding that current client libraries no longer
// export: removes the escaping backslashes from a name in place, keeping each escaped
// character ("a\_b" -> "a_b", "\\" -> "\"); a backslash at the very end stays. Byte-wise is
// sound for the client's UTF-8 connections, where no multi-byte character holds a
// backslash byte.
#include <mariadb/mysql.h>

extern "C" void myodbc_remove_escape(MYSQL* /*mysql*/, char* name) {
    if (name == nullptr) return;
    char* to = name;
    for (const char* from = name; *from != '\0'; ++from) {
        if (*from == '\\' && from[1] != '\0') ++from;
        *to++ = *from;
    }
    *to = '\0';
}
