/* The resource id of the manifest that gives the library's dialogs the themed common
   controls. Not 2: the loader would build an activation context from that id at every load of
   the library, which the window does for each query; the dialogs make theirs from this id
   only when they open. Read by resource scripts too, so plain C preprocessor only. */
#ifndef VELMORA_DIALOG_MANIFEST_H
#define VELMORA_DIALOG_MANIFEST_H
#define VELMORA_DIALOG_MANIFEST_ID 101
#endif
