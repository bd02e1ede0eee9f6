# Copies the game's optional libraries that exist in FROM into TO (cmake -DFROM=.. -DTO=.. -P).
file(MAKE_DIRECTORY ${TO})
foreach(name ZunCards06A.dll ZunCards06B.dll ZunBackG03.dll ZunCalendar01.dll ZunRadio.rad ZunRadio02.dll
             ZunCVoice3.dll ZunCards06C.dll ZunCGraph1.dll)
  if(EXISTS ${FROM}/${name})
    file(COPY ${FROM}/${name} DESTINATION ${TO})
  endif()
endforeach()
