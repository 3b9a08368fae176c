#pragma once

#include <cstdint>
#include <string>

#include <mariadb/mysql.h>  // the C API's types and signatures only; nothing is linked

namespace tavo {

// The run-time binding of the MySQL C client library: one process-wide module, loaded by
// file name, and a fixed table of entry points looked up one by one. A library is
// compatible exactly when every name of the table is found.
enum class ClientLibraryStateCode : std::uint8_t {
    NotLoaded = 0,
    NotFound = 1,
    Incomplete = 2,
    Ready = 3,
};

// The binding's state; read before each connect.
ClientLibraryStateCode ClientLibraryState();

// The entry points in the order they are looked up; each is the library's address of that
// name, or null when the library lacks it.
struct TClientLibraryEntries {
    decltype(&::mysql_num_rows) mysql_num_rows = nullptr;
    decltype(&::mysql_num_fields) mysql_num_fields = nullptr;
    decltype(&::mysql_eof) mysql_eof = nullptr;
    decltype(&::mysql_fetch_field_direct) mysql_fetch_field_direct = nullptr;
    decltype(&::mysql_fetch_fields) mysql_fetch_fields = nullptr;
    decltype(&::mysql_row_tell) mysql_row_tell = nullptr;
    decltype(&::mysql_field_tell) mysql_field_tell = nullptr;
    decltype(&::mysql_field_count) mysql_field_count = nullptr;
    decltype(&::mysql_affected_rows) mysql_affected_rows = nullptr;
    decltype(&::mysql_insert_id) mysql_insert_id = nullptr;
    decltype(&::mysql_errno) mysql_errno = nullptr;
    decltype(&::mysql_error) mysql_error = nullptr;
    decltype(&::mysql_info) mysql_info = nullptr;
    decltype(&::mysql_thread_id) mysql_thread_id = nullptr;
    decltype(&::mysql_character_set_name) mysql_character_set_name = nullptr;
    decltype(&::mysql_init) mysql_init = nullptr;
    decltype(&::mysql_change_user) mysql_change_user = nullptr;
    decltype(&::mysql_real_connect) mysql_real_connect = nullptr;
    decltype(&::mysql_close) mysql_close = nullptr;
    decltype(&::mysql_query) mysql_query = nullptr;
    decltype(&::mysql_send_query) mysql_send_query = nullptr;
    decltype(&::mysql_read_query_result) mysql_read_query_result = nullptr;
    decltype(&::mysql_real_query) mysql_real_query = nullptr;
    decltype(&::mysql_shutdown) mysql_shutdown = nullptr;
    decltype(&::mysql_dump_debug_info) mysql_dump_debug_info = nullptr;
    decltype(&::mysql_refresh) mysql_refresh = nullptr;
    decltype(&::mysql_kill) mysql_kill = nullptr;
    decltype(&::mysql_ping) mysql_ping = nullptr;
    decltype(&::mysql_stat) mysql_stat = nullptr;
    decltype(&::mysql_get_server_info) mysql_get_server_info = nullptr;
    decltype(&::mysql_get_client_info) mysql_get_client_info = nullptr;
    decltype(&::mysql_get_host_info) mysql_get_host_info = nullptr;
    decltype(&::mysql_get_proto_info) mysql_get_proto_info = nullptr;
    decltype(&::mysql_list_dbs) mysql_list_dbs = nullptr;
    decltype(&::mysql_list_tables) mysql_list_tables = nullptr;
    decltype(&::mysql_list_fields) mysql_list_fields = nullptr;
    decltype(&::mysql_list_processes) mysql_list_processes = nullptr;
    decltype(&::mysql_store_result) mysql_store_result = nullptr;
    decltype(&::mysql_use_result) mysql_use_result = nullptr;
    decltype(&::mysql_options) mysql_options = nullptr;
    decltype(&::mysql_free_result) mysql_free_result = nullptr;
    decltype(&::mysql_data_seek) mysql_data_seek = nullptr;
    decltype(&::mysql_row_seek) mysql_row_seek = nullptr;
    decltype(&::mysql_field_seek) mysql_field_seek = nullptr;
    decltype(&::mysql_fetch_row) mysql_fetch_row = nullptr;
    decltype(&::mysql_fetch_lengths) mysql_fetch_lengths = nullptr;
    decltype(&::mysql_fetch_field) mysql_fetch_field = nullptr;
    decltype(&::mysql_escape_string) mysql_escape_string = nullptr;
    decltype(&::mysql_real_escape_string) mysql_real_escape_string = nullptr;
    decltype(&::mysql_debug) mysql_debug = nullptr;
    void (*myodbc_remove_escape)(MYSQL* mysql, char* name) = nullptr;
    decltype(&::mysql_thread_safe) mysql_thread_safe = nullptr;
    decltype(&::mysql_thread_init) mysql_thread_init = nullptr;
    decltype(&::mysql_thread_end) mysql_thread_end = nullptr;
};

const TClientLibraryEntries& ClientLibraryEntries();

// The names of the table, in lookup order (54).
const char* const* ClientLibraryEntryNames(std::size_t* count);

// Unloads what was loaded, loads the library (empty path: the platform's default name,
// found by the normal library search) and fills the table; one notice per missing name.
ClientLibraryStateCode LoadClientLibrary(const std::string& path);

// Frees the loaded module and forgets it; the state is NotLoaded afterwards.
void UnloadClientLibrary();

}  // namespace tavo
