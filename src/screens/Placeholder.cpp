// The screens library is filled by the window classes.
