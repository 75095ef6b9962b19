// Anchor translation unit so the fakes library always has at least one source.
namespace linkwatch::fakes {
int fakes_anchor = 0;
}
