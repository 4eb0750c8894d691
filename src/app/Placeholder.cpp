// The application engine library is filled by settings, languages and shared state.
