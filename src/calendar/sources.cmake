# Sources of src/calendar.
