// Stands in for the Avahi client library inside ippeveprinter (loaded with
// LD_PRELOAD) so that the print tests' IPP printer runs without an mDNS
// daemon and announces nothing on the network. Every call succeeds and does
// nothing; the printer is reached by its address alone.
//
// The calls ippeveprinter imports, with C linkage; Avahi's structures stay
// opaque, so no Avahi headers are needed.

#include <cstdint>

namespace {
// Distinct objects so that the handles are non-null and never freed.
char client, threaded_poll, poll_api, entry_group;
}  // namespace

extern "C" {

void* avahi_threaded_poll_new() {
  return &threaded_poll;
}
const void* avahi_threaded_poll_get(void*) {
  return &poll_api;
}
int avahi_threaded_poll_start(void*) {
  return 0;
}
void avahi_threaded_poll_lock(void*) {}
void avahi_threaded_poll_unlock(void*) {}

// The real library reports its state through the callback; a client that
// is simply there and never changes needs no callback at all.
void* avahi_client_new(const void*, int, void*, void*, int* error) {
  if (error) *error = 0;
  return &client;
}
int avahi_client_errno(void*) {
  return 0;
}
const char* avahi_client_get_host_name_fqdn(void*) {
  return "localhost";
}
// Not imported today; should a later ippeveprinter ask, the client runs.
enum { kClientRunning = 2 };  // AVAHI_CLIENT_S_RUNNING
int avahi_client_get_state(void*) {
  return kClientRunning;
}

void* avahi_entry_group_new(void*, void*, void*) {
  return &entry_group;
}
int avahi_entry_group_add_service_strlst(void*, int, int, int, const char*, const char*,
                                         const char*, const char*, std::uint16_t, void*) {
  return 0;
}
int avahi_entry_group_add_service_subtype(void*, int, int, int, const char*, const char*,
                                          const char*, const char*) {
  return 0;
}
int avahi_entry_group_commit(void*) {
  return 0;
}
int avahi_entry_group_free(void*) {
  return 0;
}

// TXT records are built and thrown away: an empty list is as good as any.
void* avahi_string_list_add_printf(void* list, const char*, ...) {
  return list;
}
void avahi_string_list_free(void*) {}

}  // extern "C"
