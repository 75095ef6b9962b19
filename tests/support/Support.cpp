// Anchor translation unit so the support library always has at least one source.
namespace linkwatch::support {
int support_anchor = 0;
}
