/*
 * The value record that carries every control value and control setting
 * through a control's get and set (40 bytes, 8-aligned). Every form starts
 * with the type code; integers travel at offset 4, pointers at offset 8, so
 * a 32-bit value and a 64-bit pointer never share a slot.
 */
#ifndef LAYOUT_VALUE_H
#define LAYOUT_VALUE_H

#ifdef __cplusplus
extern "C" {
#endif

/* Type codes, of values and of control descriptors. */
#define LAYOUT_TYPE_NULL 0
#define LAYOUT_TYPE_STRING 1
#define LAYOUT_TYPE_INTEGER 2
#define LAYOUT_TYPE_FLOAT 3
#define LAYOUT_TYPE_DISTANCE 4
#define LAYOUT_TYPE_INT_VECTOR 5
#define LAYOUT_TYPE_FLOAT_VECTOR 6
#define LAYOUT_TYPE_BOOL 8
#define LAYOUT_TYPE_CHOICE 9
#define LAYOUT_TYPE_TEXT 12
#define LAYOUT_TYPE_RANGE 15
#define LAYOUT_TYPE_PERCENT 17
#define LAYOUT_TYPE_POPUP 18
#define LAYOUT_TYPE_AREA 19
#define LAYOUT_TYPE_POINTER 23

/* The forms the module uses. A pointer travels in a type-2 record, in its
 * pointer slot. */
#define LAYOUT_VALUE_TEXT LAYOUT_TYPE_STRING
#define LAYOUT_VALUE_INTEGER LAYOUT_TYPE_INTEGER
#define LAYOUT_VALUE_FLOAT LAYOUT_TYPE_FLOAT

/*
 * Text: on get the host copies at most length - 1 bytes and a NUL into the
 * caller's buffer; on set it copies the NUL-terminated buffer.
 */
typedef union {
  int type;
  struct {
    int type;
    int value; /* offset 4 */
    int defaultValue;
  } integer;
  struct {
    int type;
    void *value; /* offset 8: event functions and user data */
  } pointer;
  struct {
    int type;
    char *buffer;
    int length; /* bytes, terminator included */
  } text;
  struct {
    int type;
    double value;
    double defaultValue;
  } real;
  struct {
    int type;
    int value[3];
    int defaultValue;
  } intVector;
  struct {
    int type;
    double value[3];
    double defaultValue;
  } realVector;
} PanelValue;

#ifdef __cplusplus
}
#endif

#endif
