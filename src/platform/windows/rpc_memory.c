/* The RPC stubs' allocator, which every program using them supplies. */
#include <rpc.h>

void* __RPC_USER MIDL_user_allocate(size_t size) {
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void __RPC_USER MIDL_user_free(void* memory) {
    HeapFree(GetProcessHeap(), 0, memory);
}
