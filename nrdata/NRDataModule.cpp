// Load-time start-up of libNRData.so: registers the library's resource module with the
// platform so that its string table joins the lookup chain.
namespace {
} // namespace
