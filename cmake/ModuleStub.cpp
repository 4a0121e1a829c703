// A plug-in module is its code library linked whole; this file only gives
// the module target a source of its own.
