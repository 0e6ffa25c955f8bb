// Gives every program library at least one object file, so a folder whose
// handlers have not been split out yet still forms a library.
namespace sorvane_link_anchor {}
