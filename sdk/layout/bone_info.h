/*
 * "LW Bone Info 3": reading bones. The module uses only `flags`.
 */
#ifndef LAYOUT_BONE_INFO_H
#define LAYOUT_BONE_INFO_H

#include "base.h"

#ifdef __cplusplus
extern "C" {
#endif

#define LAYOUT_BONE_INFO "LW Bone Info 3"

/* flags bits. */
#define LAYOUT_BONEF_ACTIVE 1u
#define LAYOUT_BONEF_LIMITED_RANGE 2u
/* Strength is multiplied by rest length. */
#define LAYOUT_BONEF_MULTIPLY 4u
#define LAYOUT_BONEF_WEIGHT_MAP_ONLY 8u

/* 72 bytes: 9 functions. */
typedef struct {
  /* Flag word of a bone (LAYOUT_BONEF_*); 0 for an unknown item. */
  unsigned int (*flags)(ItemID bone);
  void (*restParam)(ItemID bone, int parameter, double vector[3]);
  double (*restLength)(ItemID bone);
  void (*limits)(ItemID bone, double *inner, double *outer);
  const char *(*weightMap)(ItemID bone);
  double (*strength)(ItemID bone);
  int (*falloff)(ItemID bone);
  void (*jointComp)(ItemID bone, double *self, double *parent);
  void (*muscleFlex)(ItemID bone, double *self, double *parent);
} BoneInfo;

#ifdef __cplusplus
}
#endif

#endif
