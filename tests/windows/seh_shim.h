/* The stand-in's server stubs without structured exceptions: each guarded
   block simply runs, and a fault inside ends the stand-in. */
// clang-format off
#define __try
#define __except(filter) if (0)
#define __finally
// clang-format on
