#pragma once
// Declaring and defining the plain published properties of the grid's
// settings objects.
//
// In the class: GRID_PROP(Type, Name, Init) declares Name() and SetName()
// and the field FName with its value after construction (it leaves the
// class in its private part).
//
// In the source, the setters of the common kinds:
//   GRID_SET_STORE(Class, Name)    stores, nothing else;
//   GRID_SET_NOTIFY(Class, Name)   stores and calls Changed() every time;
//   GRID_SET_CHANGE(Class, Name)   stores and calls Changed() when it changes.

#define GRID_PROP(Type, Name, Init)                                                                                    \
public:                                                                                                                \
  Type Name() const { return F##Name; }                                                                                \
  void Set##Name(Type Value);                                                                                          \
                                                                                                                       \
private:                                                                                                               \
  Type F##Name = Init;

#define GRID_SET_STORE(Class, Name)                                                                                    \
  void Class::Set##Name(decltype(F##Name) Value) { F##Name = Value; }

#define GRID_SET_NOTIFY(Class, Name)                                                                                   \
  void Class::Set##Name(decltype(F##Name) Value)                                                                       \
  {                                                                                                                    \
    F##Name = Value;                                                                                                   \
    Changed();                                                                                                         \
  }

#define GRID_SET_CHANGE(Class, Name)                                                                                   \
  void Class::Set##Name(decltype(F##Name) Value)                                                                       \
  {                                                                                                                    \
    if (F##Name == Value)                                                                                              \
      return;                                                                                                          \
    F##Name = Value;                                                                                                   \
    Changed();                                                                                                         \
  }
