// placeholder translation unit until the windows arrive
