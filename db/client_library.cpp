#include "db/client_library.h"

#include <dlfcn.h>

#include <vector>

#include "foundation/dialogs.h"
#include "platform/names.h"

namespace tavo {
namespace {

// The table: name and where its address goes, in lookup order.
struct Entry {
    const char* name;
    void** slot;
};

template <typename F>
void** Slot(F& field) {
    return reinterpret_cast<void**>(&field);
}

struct Binding {
    ClientLibraryStateCode state = ClientLibraryStateCode::NotLoaded;
    void* handle = nullptr;
    TClientLibraryEntries entries;

    // The module is freed at program end, as the module finalisation did.
    ~Binding() { Unload(); }

    void Unload() {
        if (handle) ::dlclose(handle);
        handle = nullptr;
        entries = TClientLibraryEntries{};
        state = ClientLibraryStateCode::NotLoaded;
    }
};

Binding& TheBinding() {
    static Binding binding;
    return binding;
}

#define TAVO_ENTRY(name)    \
    Entry {                 \
#name, Slot(e.name) \
    }

std::vector<Entry> Table(TClientLibraryEntries& e) {
    return {TAVO_ENTRY(mysql_num_rows),
            TAVO_ENTRY(mysql_num_fields),
            TAVO_ENTRY(mysql_eof),
            TAVO_ENTRY(mysql_fetch_field_direct),
            TAVO_ENTRY(mysql_fetch_fields),
            TAVO_ENTRY(mysql_row_tell),
            TAVO_ENTRY(mysql_field_tell),
            TAVO_ENTRY(mysql_field_count),
            TAVO_ENTRY(mysql_affected_rows),
            TAVO_ENTRY(mysql_insert_id),
            TAVO_ENTRY(mysql_errno),
            TAVO_ENTRY(mysql_error),
            TAVO_ENTRY(mysql_info),
            TAVO_ENTRY(mysql_thread_id),
            TAVO_ENTRY(mysql_character_set_name),
            TAVO_ENTRY(mysql_init),
            TAVO_ENTRY(mysql_change_user),
            TAVO_ENTRY(mysql_real_connect),
            TAVO_ENTRY(mysql_close),
            TAVO_ENTRY(mysql_query),
            TAVO_ENTRY(mysql_send_query),
            TAVO_ENTRY(mysql_read_query_result),
            TAVO_ENTRY(mysql_real_query),
            TAVO_ENTRY(mysql_shutdown),
            TAVO_ENTRY(mysql_dump_debug_info),
            TAVO_ENTRY(mysql_refresh),
            TAVO_ENTRY(mysql_kill),
            TAVO_ENTRY(mysql_ping),
            TAVO_ENTRY(mysql_stat),
            TAVO_ENTRY(mysql_get_server_info),
            TAVO_ENTRY(mysql_get_client_info),
            TAVO_ENTRY(mysql_get_host_info),
            TAVO_ENTRY(mysql_get_proto_info),
            TAVO_ENTRY(mysql_list_dbs),
            TAVO_ENTRY(mysql_list_tables),
            TAVO_ENTRY(mysql_list_fields),
            TAVO_ENTRY(mysql_list_processes),
            TAVO_ENTRY(mysql_store_result),
            TAVO_ENTRY(mysql_use_result),
            TAVO_ENTRY(mysql_options),
            TAVO_ENTRY(mysql_free_result),
            TAVO_ENTRY(mysql_data_seek),
            TAVO_ENTRY(mysql_row_seek),
            TAVO_ENTRY(mysql_field_seek),
            TAVO_ENTRY(mysql_fetch_row),
            TAVO_ENTRY(mysql_fetch_lengths),
            TAVO_ENTRY(mysql_fetch_field),
            TAVO_ENTRY(mysql_escape_string),
            TAVO_ENTRY(mysql_real_escape_string),
            TAVO_ENTRY(mysql_debug),
            TAVO_ENTRY(myodbc_remove_escape),
            TAVO_ENTRY(mysql_thread_safe),
            TAVO_ENTRY(mysql_thread_init),
            TAVO_ENTRY(mysql_thread_end)};
}

#undef TAVO_ENTRY

}  // namespace

ClientLibraryStateCode ClientLibraryState() {
    return TheBinding().state;
}

const TClientLibraryEntries& ClientLibraryEntries() {
    return TheBinding().entries;
}

const char* const* ClientLibraryEntryNames(std::size_t* count) {
    static const std::vector<const char*> names = [] {
        TClientLibraryEntries scratch;
        std::vector<const char*> list;
        for (const Entry& e : Table(scratch)) list.push_back(e.name);
        return list;
    }();
    if (count) *count = names.size();
    return names.data();
}

ClientLibraryStateCode LoadClientLibrary(const std::string& path) {
    Binding& b = TheBinding();
    b.Unload();
    const std::string file = path.empty() ? platform::LibraryName("libmysql") : path;
    b.handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!b.handle) {
        b.state = ClientLibraryStateCode::NotFound;
        return b.state;
    }
    b.state = ClientLibraryStateCode::Ready;
    for (const Entry& entry : Table(b.entries)) {
        *entry.slot = ::dlsym(b.handle, entry.name);
        if (*entry.slot) continue;
        ShowNotice(entry.name, bi_none);
        b.state = ClientLibraryStateCode::Incomplete;
    }
    return b.state;
}

void UnloadClientLibrary() {
    TheBinding().Unload();
}

}  // namespace tavo
